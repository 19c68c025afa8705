#include "elements/message.h"

#include <gtest/gtest.h>

#include "tests/elements/dialog_driver.h"
#include "tests/support/probe_element.h"

namespace lobrin {
namespace {

using testing::CallLog;
using testing::LinkTrafficOn;
using testing::MessageBoxDriver;
using testing::ProbeElement;

TEST(MessageBoxStyle, EveryRowOfTheThreeTables) {
  const std::pair<int, UINT> buttons[] = {{0, MB_OK},          {1, MB_OKCANCEL},
                                          {2, MB_YESNO},       {3, MB_YESNOCANCEL},
                                          {4, MB_RETRYCANCEL}, {5, MB_ABORTRETRYIGNORE},
                                          {6, 0},              {255, 0}};
  const std::pair<int, UINT> icons[] = {{0, 0},    {1, 0x10}, {2, 0x20},
                                        {3, 0x30}, {4, 0x40}, {5, 0}};
  const std::pair<int, UINT> defaults[] = {{0, 0}, {1, 0x100}, {2, 0x200}, {3, 0}};
  for (auto [b, bBits] : buttons)
    for (auto [i, iBits] : icons)
      for (auto [d, dBits] : defaults)
        EXPECT_EQ(MessageBoxStyle(b, i, d), bBits | iBits | dBits) << b << "/" << i << "/" << d;
  EXPECT_EQ(MessageBoxStyle(3, 2, 1), 0x123u);
}

TEST(LoadTextResource, FindsTheNameInAnyCaseAndStopsAtTheZeroByte) {
  EXPECT_EQ(LoadTextResource("TESTTEXT"), "Line one\r\n  Line two");
  EXPECT_EQ(LoadTextResource("TestText"), "Line one\r\n  Line two");
  EXPECT_EQ(LoadTextResource("testtext"), "Line one\r\n  Line two");
}

TEST(LoadTextResource, MissingResourceGivesTheEmptyText) {
  EXPECT_EQ(LoadTextResource("NOSUCHTEXT"), "");
  EXPECT_EQ(LoadTextResource(""), "");
}

TEST(MessageElement, DefaultTextWithOkFiresResultThenOk) {
  LinkTrafficOn links;
  CallLog log;
  ProbeElement result(log, "result"), ok(log, "ok"), cancel(log, "cancel");
  THIMessage message;
  message.defaultText = "Stacking distance";
  message.resultEvent = MakeLink<&ProbeElement::recordPoint>(&result);
  message.okEvent = MakeLink<&ProbeElement::recordPoint>(&ok);
  message.cancelEvent = MakeLink<&ProbeElement::recordPoint>(&cancel);

  MessageBoxDriver driver(IDOK);
  FireNull(MakeLink<&THIMessage::showPoint>(&message));
  driver.Join();
  ASSERT_TRUE(driver.found);
  EXPECT_EQ(driver.text, "Stacking distance");
  EXPECT_EQ(driver.caption, "");
  EXPECT_EQ(log, (CallLog{"result:Integer:1", "ok:NULL:"}));
}

TEST(MessageElement, IncomingTextIsConsumedByTheTextSoTheCaptionIsEmpty) {
  LinkTrafficOn links;
  THIMessage message;
  MessageBoxDriver driver(IDOK);
  FireText(MakeLink<&THIMessage::showPoint>(&message), "hello");
  driver.Join();
  ASSERT_TRUE(driver.found);
  EXPECT_EQ(driver.text, "hello");
  EXPECT_EQ(driver.caption, "");
}

TEST(MessageElement, LinkedCaptionAndNoButtonOfYesNoCancel) {
  LinkTrafficOn links;
  CallLog log;
  ProbeElement captionSource(log, "caption"), result(log, "result"), yes(log, "yes"), no(log, "no");
  SetText(captionSource.answer, "Question");
  THIMessage message;
  message.defaultText = "Go on?";
  message.buttonsKind = 3;
  message.iconKind = 2;
  message.defaultButtonIndex = 1;
  message.captionLink = MakeLink<&ProbeElement::answerPoint>(&captionSource);
  message.resultEvent = MakeLink<&ProbeElement::recordPoint>(&result);
  message.yesEvent = MakeLink<&ProbeElement::recordPoint>(&yes);
  message.noEvent = MakeLink<&ProbeElement::recordPoint>(&no);

  MessageBoxDriver driver(IDNO);
  FireNull(MakeLink<&THIMessage::showPoint>(&message));
  driver.Join();
  ASSERT_TRUE(driver.found);
  EXPECT_EQ(driver.caption, "Question");
  EXPECT_TRUE(driver.hasButton[IDYES] && driver.hasButton[IDNO] && driver.hasButton[IDCANCEL]);
  EXPECT_EQ(log, (CallLog{"caption:NULL:", "result:Integer:7", "no:NULL:"}));
}

// The button event is a forward: it runs from the dispatcher once showPoint has
// returned, after the whole chain behind resultEvent, on the incoming value.
TEST(MessageElement, ButtonEventFiresAfterTheResultChainWithTheIncomingValue) {
  LinkTrafficOn links;
  CallLog log;
  ProbeElement result(log, "result"), behindResult(log, "behind result"), ok(log, "ok");
  result.onRecord = MakeLink<&ProbeElement::recordPoint>(&behindResult);
  THIMessage message;
  message.resultEvent = MakeLink<&ProbeElement::recordAndFirePoint>(&result);
  message.okEvent = MakeLink<&ProbeElement::recordPoint>(&ok);

  MessageBoxDriver driver(IDOK);
  TData value;
  SetText(value, "shown");
  FireInPlace(MakeLink<&THIMessage::showPoint>(&message), value);
  driver.Join();
  EXPECT_EQ(log, (CallLog{"result:Integer:1", "behind result:Integer:1", "ok:NULL:"}));
  EXPECT_EQ(ok.lastSeen, &value);
  EXPECT_EQ(value.kind, kDataNull);
}

}  // namespace
}  // namespace lobrin
