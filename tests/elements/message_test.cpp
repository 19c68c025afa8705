#include "elements/message.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "driver/window_search.h"
#include "tests/support/probe_element.h"

namespace lobrin {
namespace {

using namespace testing;

TEST(LoadTextResource, FindsTheNameInAnyCaseAndStopsAtTheZeroByteOrGivesEmptyText) {
  for (const char* name : {"TESTTEXT", "TestText", "testtext"}) {
    EXPECT_EQ(LoadTextResource(name), "Line one\r\n  Line two") << name;
  }
  EXPECT_EQ(LoadTextResource("NOSUCHTEXT"), "");
  EXPECT_EQ(LoadTextResource(""), "");
}

class MessageElement : public ::testing::Test {
 protected:
  // Fires `value` into showPoint while a second thread reads the box and presses `button`.
  void Show(int button, TData& value) {
    std::thread answer([this, button] {
      box_ = gui::WaitForMessageBox(GetCurrentProcessId(), 5000);
      if (box_.window != nullptr) {
        gui::PressButton(box_.window, button, 5000);
      }
    });
    FireInPlace(MakeLink<&THIMessage::showPoint>(&message_), value);
    answer.join();
    ASSERT_NE(box_.window, nullptr);
  }
  THI_Event Probe(const char* name) {
    probes_.push_back(std::make_unique<ProbeElement>(log_, name));
    return MakeLink<&ProbeElement::recordPoint>(probes_.back().get());
  }

  LinkTrafficOn links_;
  CallLog log_;
  std::vector<std::unique_ptr<ProbeElement>> probes_;
  THIMessage message_;
  gui::MessageBoxView box_;
};

TEST_F(MessageElement, LinkedCaptionAndNoButtonOfYesNoCancel) {
  ProbeElement captionSource(log_, "caption");
  SetText(captionSource.answer, "Question");
  message_.defaultText = "Go on?";
  message_.buttonsKind = MessageButtons::kYesNoCancel;
  message_.iconKind = MessageIcon::kQuestion;
  message_.defaultButtonIndex = MessageDefaultButton::kSecond;
  message_.captionLink = MakeLink<&ProbeElement::answerPoint>(&captionSource);
  message_.resultEvent = Probe("result");
  message_.yesEvent = Probe("yes");
  message_.noEvent = Probe("no");
  TData value;
  Show(IDNO, value);
  EXPECT_EQ(box_.caption, "Question");
  EXPECT_EQ(box_.visibleButtons, 3) << "Yes, No and Cancel";
  EXPECT_EQ(log_, (CallLog{"caption:NULL:", "result:Integer:7", "no:NULL:"}));
}

// Without a default text the box shows the incoming text. The button event is
// a forward: it runs once showPoint has returned, after the whole chain behind
// resultEvent, on the incoming value. (The default text with OK is the
// calculator's Info box, checked in tests/app.)
TEST_F(MessageElement, OkFiresTheButtonEventAfterTheResultChainWithTheIncomingValue) {
  ProbeElement result(log_, "result"), ok(log_, "ok");
  result.onRecord = Probe("behind result");
  message_.resultEvent = MakeLink<&ProbeElement::recordAndFirePoint>(&result);
  message_.okEvent = MakeLink<&ProbeElement::recordPoint>(&ok);
  message_.cancelEvent = Probe("cancel");
  TData value;
  SetText(value, "hello");  // consumed by the text, so the caption is empty
  Show(IDOK, value);
  EXPECT_EQ(box_.text, "hello");
  EXPECT_EQ(box_.caption, "");
  EXPECT_EQ(log_, (CallLog{"result:Integer:1", "behind result:Integer:1", "ok:NULL:"}));
  EXPECT_EQ(ok.lastSeen, &value);
  EXPECT_EQ(value.kind, kDataNull);
}

}  // namespace
}  // namespace lobrin
