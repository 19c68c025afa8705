#include <gtest/gtest.h>

#include "elements/hub.h"
#include "tests/support/probe_element.h"

namespace lobrin {
namespace {

using namespace testing;

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
  ProbeElement first_{log_, "first"}, second_{log_, "second"}, third_{log_, "third"};
  THIHub hub_;
};

TEST_F(Hub, FiresItsOutputsInIndexOrderEachWithItsOwnCopyAndItsCascadeFirst) {
  hub_.SetOutputCount(3);
  first_.onRecord = MakeLink<&ProbeElement::consumePoint>(&third_);
  hub_.outputs[0] = MakeLink<&ProbeElement::recordAndFirePoint>(&first_);
  hub_.outputs[1] = MakeLink<&ProbeElement::consumePoint>(&second_);
  hub_.outputs[2] = MakeLink<&ProbeElement::recordPoint>(&third_);
  Fire(4);
  // Each receiver consumed its value, yet the next one still saw 4.
  EXPECT_EQ(log_, (CallLog{"first:Integer:4", "third:Integer:4", "second:Integer:4", "third:Integer:4"}));
}

TEST_F(Hub, SkipsUnlinkedOutputsAndMissingOnes) {
  Fire(1);  // no outputs at all
  hub_.SetOutputCount(3);
  hub_.outputs[2] = MakeLink<&ProbeElement::recordPoint>(&third_);
  Fire(2);
  hub_.SetOutputCount(1);
  hub_.outputs[0] = MakeLink<&ProbeElement::recordPoint>(&first_);
  hub_.outputCount = 5;  // a count beyond the array
  Fire(3);
  EXPECT_EQ(log_, (CallLog{"third:Integer:2", "first:Integer:3"}));
}

TEST_F(Hub, ResizingKeepsExistingLinksAndCountsInEightBits) {
  hub_.SetOutputCount(1);
  hub_.outputs[0] = MakeLink<&ProbeElement::recordPoint>(&first_);
  hub_.SetOutputCount(300);
  EXPECT_EQ(hub_.outputCount, 44);
  Fire(5);
  EXPECT_EQ(log_, (CallLog{"first:Integer:5"}));
}

}  // namespace
}  // namespace lobrin
