#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/data.h"
#include "elements/hub.h"
#include "tests/support/probe_element.h"

namespace lobrin {
namespace {

using namespace testing;

TData MakeInteger(std::int32_t i) {
  TData v;
  SetInteger(v, i);
  return v;
}
TData MakeReal(double r) {
  TData v;
  SetReal(v, r);
  return v;
}
TData MakeText(const std::string& t) {
  TData v;
  SetText(v, t);
  return v;
}
TData MakeKind(std::uint8_t kind) {
  TData v;
  v.kind = kind;
  return v;
}

TEST(DataValues, ConversionsFollowTheKind) {
  const struct {
    TData value;
    const char* text;
    double real;
    std::int32_t integer;
  } cases[] = {
      {MakeReal(2.5), "2.5", 2.5, 2},
      {MakeReal(3.5), "3.5", 3.5, 4},
      {MakeInteger(INT32_MIN), "-2147483648", -2147483648.0, INT32_MIN},
      {MakeText("12abc"), "12abc", 12.0, 12},
      {MakeText(""), "", 0.0, 0},
      {TData{}, "", 0.0, 0},
      {MakeKind(kDataBreak), "", 0.0, 0},
      {MakeKind(11), "", 0.0, 0},  // a reserved kind reads like NULL
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ValueToText(c.value), c.text) << Describe(c.value);
    EXPECT_EQ(ValueToReal(c.value), c.real) << Describe(c.value);
    EXPECT_EQ(ValueToInteger(c.value), c.integer) << Describe(c.value);
  }
}

TEST(DataValues, ConsumeTakesTheNextValueOfAChainOrBecomesNull) {
  TData second = MakeText("two");
  TData first = MakeInteger(1);
  first.nextValue = &second;
  ConsumeValue(first);
  EXPECT_EQ(Describe(first), "String:two");
  ConsumeValue(first);
  EXPECT_EQ(first.kind, kDataNull);
  TData looped = MakeInteger(3);
  looped.nextValue = &looped;  // a chain pointing at itself stays intact
  ConsumeValue(looped);
  EXPECT_EQ(ValueToInteger(looped), 3);
  SetReal(looped, 1.5);  // a value maker cuts the chain
  EXPECT_EQ(looped.nextValue, nullptr);
}

class Links : public ::testing::Test {
 protected:
  LinkTrafficOn traffic_;
  CallLog log_;
  ProbeElement a_{log_, "a"}, b_{log_, "b"}, c_{log_, "c"};
};

TEST_F(Links, AForwardRunsAfterItsHandlerReturnsWithTheSameValueNowNull) {
  a_.forward = MakeLink<&ProbeElement::forwardPoint>(&b_);
  b_.forward = MakeLink<&ProbeElement::recordAndFirePoint>(&c_);
  c_.onRecord = MakeLink<&ProbeElement::recordPoint>(&a_, 7);
  TData value = MakeInteger(9);
  FireEvent(MakeLink<&ProbeElement::forwardPoint>(&a_), value);
  // a forwards to b, b forwards to c; c fires on to a, nested in c's call.
  EXPECT_EQ(log_, (CallLog{"a:Integer:9", "b:NULL:", "c:NULL:", "a:NULL:"}));
  EXPECT_EQ(a_.lastIndex, 7) << "a link carries its index";
  EXPECT_EQ(c_.lastSeen, &value);
  EXPECT_EQ(value.kind, kDataNull);

  log_.clear();
  c_.forward = THI_Event{};  // a forward to an unlinked event ends the loop
  value = MakeReal(1.0);
  FireEvent(MakeLink<&ProbeElement::forwardPoint>(&c_), value);
  ReadLink(MakeLink<&ProbeElement::forwardPoint>(&a_), value);
  EXPECT_EQ(log_, (CallLog{"c:Real:1", "a:NULL:"})) << "a read link is never forwarded";
}

TEST_F(Links, TextAndRealFromLinkPreferTheLinkThenTheDefaultThenTheIncomingValue) {
  const THI_Event answer = MakeLink<&ProbeElement::answerPoint>(&a_);
  TData incoming = MakeInteger(42);
  const std::pair<TData, const char*> answers[] = {
      {TData{}, ""},                  // a linked point answering NULL beats the default
      {MakeKind(kDataBreak), "abc"},  // Break falls back to the default
      {MakeReal(2.5), "2.5"}};
  for (const auto& [answered, text] : answers) {
    a_.answer = answered;
    EXPECT_EQ(TextFromLink(incoming, answer, "abc"), text) << Describe(answered);
  }
  EXPECT_EQ(Describe(incoming), "Integer:42");
  EXPECT_EQ(log_, (CallLog{"a:NULL:", "a:NULL:", "a:NULL:"}));  // each read starts from NULL
  EXPECT_EQ(TextFromLink(incoming, THI_Event{}, ""), "42");
  EXPECT_EQ(TextFromLink(incoming, THI_Event{}, ""), "") << "the incoming value is consumed";

  log_.clear();
  TData value = MakeInteger(11);
  ReadLinkOrBreak(value, answer);
  EXPECT_EQ(log_, (CallLog{"a:Integer:11"})) << "the point sees what the value held";
  EXPECT_EQ(Describe(value), "Real:2.5");
  ReadLinkOrBreak(value, THI_Event{});
  EXPECT_EQ(value.kind, kDataBreak);

  // Defaults, links and incoming values of the calculator's own operands are
  // checked through its graph; these cases it never meets.
  incoming = MakeReal(5.0);
  EXPECT_EQ(RealFromLink(incoming, THI_Event{}, -0.0), 5.0) << "-0.0 is no default";
  EXPECT_EQ(incoming.kind, kDataNull) << "the incoming value is consumed";
  a_.answer = TData{};
  EXPECT_EQ(RealFromLink(incoming, answer, 3.0), 0.0) << "a link answering NULL beats the default";
}

TEST_F(Links, DisabledTrafficFiresNothingAndReadsNeutralValues) {
  a_.answer = MakeInteger(8);
  const THI_Event record = MakeLink<&ProbeElement::recordPoint>(&a_);
  const THI_Event answer = MakeLink<&ProbeElement::answerPoint>(&a_);
  DisableLinks();
  FireInteger(record, 1);
  FireNull(record);
  TData incoming = MakeReal(4.0);
  EXPECT_EQ(IntegerFromLink(answer), 0);
  EXPECT_EQ(TextFromLink(incoming, answer, "abc"), "");
  EXPECT_EQ(RealFromLink(incoming, answer, 3.0), 0.0);
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(Describe(incoming), "Real:4");
  EnableLinks();
  EXPECT_EQ(IntegerFromLink(answer), 8);
}

TEST_F(Links, AHubFiresACopyOnEachLinkedOutputUpToItsCount) {
  THIHub hub;
  hub.SetOutputCount(1);
  // a consumes what it gets: a value shared instead of copied would reach b as NULL.
  hub.outputs[0] = MakeLink<&ProbeElement::consumePoint>(&a_);
  hub.SetOutputCount(300);  // the links made stay; the count keeps its low 8 bits
  EXPECT_EQ(hub.outputCount, 44);
  hub.outputs[43] = MakeLink<&ProbeElement::recordPoint>(&b_);
  hub.outputs[44] = MakeLink<&ProbeElement::recordPoint>(&c_);
  TData value = MakeInteger(5);
  hub.fanOutPoint(value, 0);
  hub.SetOutputCount(3);
  // A count beyond the array; the links at 43 and 44 still lie in the vector's spare room.
  hub.outputCount = 45;
  hub.fanOutPoint(value, 0);
  EXPECT_EQ(log_, (CallLog{"a:Integer:5", "b:Integer:5", "a:Integer:5"}));
  EXPECT_EQ(Describe(value), "Integer:5");
}

struct StartupRecorder {
  static std::vector<int> order;
  int id = 0;
  StartupRecorder* registersLater = nullptr;  // borrowed
  static void Run(void* object) {
    auto* self = static_cast<StartupRecorder*>(object);
    order.push_back(self->id);
    if (self->registersLater) {
      RegisterStartupCallback({&StartupRecorder::Run, self->registersLater});
    }
  }
};
std::vector<int> StartupRecorder::order;

TEST(StartupCallbacks, RunOnceInRegistrationOrderIncludingOnesAddedMeanwhile) {
  StartupRecorder first{1}, second{2}, late{3};
  first.registersLater = &late;
  RegisterStartupCallback({&StartupRecorder::Run, &first});
  RegisterStartupCallback({&StartupRecorder::Run, &second});
  RegisterStartupCallback({nullptr, nullptr});
  RunStartupCallbacks();
  RunStartupCallbacks();
  EXPECT_EQ(StartupRecorder::order, (std::vector<int>{1, 2, 3}));
}

}  // namespace
}  // namespace lobrin
