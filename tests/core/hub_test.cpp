#include <gtest/gtest.h>

#include "elements/hub.h"
#include "tests/support/probe_element.h"

namespace lobrin {
namespace {

using testing::CallLog;
using testing::LinkTrafficOn;
using testing::ProbeElement;

class Hub : public ::testing::Test {
 protected:
  void Fire(std::int32_t i) {
    TData value;
    SetInteger(value, i);
    hub_.fanOutPoint(value, 0);
    EXPECT_EQ(testing::Describe(value), "Integer:" + std::to_string(i)) << "the hub changed its value";
  }

  LinkTrafficOn traffic_;
  CallLog log_;
  ProbeElement first_{log_, "first"};
  ProbeElement second_{log_, "second"};
  ProbeElement third_{log_, "third"};
  THIHub hub_;
};

TEST_F(Hub, FiresItsOutputsInIndexOrderEachWithItsOwnCopy) {
  hub_.SetOutputCount(3);
  hub_.outputs[0] = MakeLink<&ProbeElement::consumePoint>(&first_);
  hub_.outputs[1] = MakeLink<&ProbeElement::consumePoint>(&second_);
  hub_.outputs[2] = MakeLink<&ProbeElement::recordPoint>(&third_);
  Fire(4);
  // Each receiver consumed its value, yet the next one still saw 4.
  EXPECT_EQ(log_, (CallLog{"first:Integer:4", "second:Integer:4", "third:Integer:4"}));
}

TEST_F(Hub, TheCascadeBehindAnOutputEndsBeforeTheNextOutputFires) {
  hub_.SetOutputCount(2);
  first_.onRecord = MakeLink<&ProbeElement::recordPoint>(&third_);
  hub_.outputs[0] = MakeLink<&ProbeElement::recordAndFirePoint>(&first_);
  hub_.outputs[1] = MakeLink<&ProbeElement::recordPoint>(&second_);
  Fire(1);
  EXPECT_EQ(log_, (CallLog{"first:Integer:1", "third:Integer:1", "second:Integer:1"}));
}

TEST_F(Hub, SkipsUnlinkedOutputsAndFiresNothingWithoutOutputs) {
  Fire(1);
  hub_.SetOutputCount(3);
  hub_.outputs[2] = MakeLink<&ProbeElement::recordPoint>(&third_);
  Fire(2);
  EXPECT_EQ(log_, (CallLog{"third:Integer:2"}));
}

TEST_F(Hub, ResizingKeepsExistingLinksAndCountsInEightBits) {
  hub_.SetOutputCount(1);
  hub_.outputs[0] = MakeLink<&ProbeElement::recordPoint>(&first_);
  hub_.SetOutputCount(300);
  EXPECT_EQ(hub_.outputs.size(), 300u);
  EXPECT_EQ(hub_.outputCount, 44);
  EXPECT_EQ(hub_.outputs[0].target, &first_);
  EXPECT_EQ(hub_.outputs[299].handler, nullptr);
}

TEST_F(Hub, ACountBeyondTheArrayFiresOnlyTheOutputsThatExist) {
  hub_.SetOutputCount(1);
  hub_.outputs[0] = MakeLink<&ProbeElement::recordPoint>(&first_);
  hub_.outputCount = 5;
  Fire(3);
  EXPECT_EQ(log_, (CallLog{"first:Integer:3"}));
}

}  // namespace
}  // namespace lobrin
