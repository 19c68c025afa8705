// The steps a message takes through a control, recorded by probes and compared
// with the expected sequence. Only the toolkit's own steps are recorded: the
// system's messages around them differ between systems.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/form_fixture.h"

namespace lobrin {
namespace {

using namespace testing;
using Sequence = std::vector<std::string>;

UINT g_probeMessage = kPrivateMessage;
std::string g_handledBy;  // the step that answers "handled"
std::string g_freedBy;    // the step that frees the control
TControl* g_control = nullptr;

// Records the step; frees the control when it is this step's turn; answers.
bool Step(const std::string& name, const TMessage& msg) {
  if (msg.message != g_probeMessage) {
    return false;
  }
  if (name == g_freedBy) {
    Steps().push_back(name + " frees");
    g_control->Free();
    g_control->caption = "still in use";  // the object must outlive its own free
    Steps().push_back(name + " returns");
    return false;
  }
  Steps().push_back(name);
  return name == g_handledBy;
}

bool PreDispatch(TControl*, TMessage& m, LRESULT&) { return Step("pre-dispatch", m); }
bool AppEvent(void*, TMessage& m, LRESULT&) { return Step("application event", m); }
bool OwnEvent(void*, TMessage& m, LRESULT&) { return Step("message event", m); }
bool FirstHandler(TControl*, TMessage& m, LRESULT&) { return Step("first handler", m); }
bool SecondHandler(TControl*, TMessage& m, LRESULT&) { return Step("second handler", m); }
bool Additional(TControl*, TMessage& m, LRESULT&) { return Step("additional hook", m); }
bool After(TControl*, TMessage& m, LRESULT&) { return Step("after message", m); }

class MessageRoutingTest : public testing::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    g_handledBy.clear();
    g_freedBy.clear();
    g_probeMessage = kPrivateMessage;
    Application().preDispatchHook = &PreDispatch;
    Application().privateMessageProc = [](WPARAM, LPARAM) { Steps().push_back("built-in"); };
    app_->onMessage = TMessageEvent{&AppEvent, nullptr};
    MakeProbeLabel();
    Application().loopRunning = true;  // the application event sees messages only while the loop runs
  }
  void MakeProbeLabel() {
    g_control = label_ = MakeLabel(form_, "probe");
    label_->SetOnDestroy(&testing::RecordDestroyed, const_cast<char*>("label"));
    label_->onMessage = TMessageEvent{&OwnEvent, nullptr};
    AttachHandler(label_, &FirstHandler, true);
    AttachHandler(label_, &SecondHandler, false);
    label_->additionalHook = &Additional;
    label_->afterMessage = &After;
    hwnd_ = HandleOf(label_);
  }
  Sequence Send(UINT message) {
    Steps().clear();
    g_probeMessage = message;
    SendMessageA(hwnd_, message, 0, 0);
    return Steps();
  }

  TControl* label_ = nullptr;
  HWND hwnd_ = nullptr;
};

const Sequence kFullSequence = {"pre-dispatch",  "application event", "message event", "second handler",
                                "first handler", "additional hook",   "built-in",      "after message"};

TEST_F(MessageRoutingTest, TheFirstStepThatHandlesEndsTheSequence) {
  // The most recently attached handler comes first.
  for (std::size_t n = 1; n <= 6; ++n) {
    g_handledBy = kFullSequence[n - 1];
    EXPECT_EQ(Send(kPrivateMessage), Sequence(kFullSequence.begin(), kFullSequence.begin() + n))
        << g_handledBy;
  }
  g_handledBy.clear();
  AttachHandler(label_, &FirstHandler, true);  // attached twice: still one entry
  EXPECT_EQ(Send(kPrivateMessage), kFullSequence);
}

TEST_F(MessageRoutingTest, WithoutTheLoopOrAfterQuitStepsAreLeftOut) {
  Application().loopRunning = false;
  Sequence expected = kFullSequence;
  expected.erase(expected.begin() + 1);
  EXPECT_EQ(Send(kPrivateMessage), expected) << "no application event outside the loop";
  Application().loopRunning = true;
  Application().quitReceived = true;  // only the handlers marked for it run, and no after-message step
  EXPECT_EQ(Send(kPrivateMessage), (Sequence{"pre-dispatch", "application event", "message event",
                                             "first handler", "additional hook", "built-in"}));
}

TEST_F(MessageRoutingTest, FreeingTheControlDuringDispatchIsDeferredToTheEnd) {
  const struct {
    const char* freedBy;
    UINT message;
    Sequence expected;
  } rows[] = {
      {"message event",
       kPrivateMessage,
       {"pre-dispatch", "application event", "message event frees", "message event returns",
        "label destroyed"}},
      {"second handler",
       kPrivateMessage,
       {"pre-dispatch", "application event", "message event", "second handler frees",
        "second handler returns", "label destroyed"}},
      // The toolkit's own free message: built-in handling frees, no after-message step.
      {"",
       kFreeControlMessage,
       {"pre-dispatch", "application event", "message event", "second handler", "first handler",
        "additional hook", "label destroyed"}},
  };
  for (const auto& row : rows) {
    if (label_ == nullptr) {
      MakeProbeLabel();
    }
    g_freedBy = row.freedBy;
    EXPECT_EQ(Send(row.message), row.expected) << "freed by: " << row.freedBy << " " << row.message;
    EXPECT_FALSE(IsWindow(hwnd_)) << "the window goes with its control";
    EXPECT_EQ(form_->children->IndexOf(label_), -1);
    label_ = nullptr;
  }
}

TEST_F(MessageRoutingTest, DestroyingAParentHidesItFirstThenFreesTheLastChildFirst) {
  MakeLabel(form_, "second")->SetOnDestroy(&testing::RecordDestroyed, const_cast<char*>("second label"));
  SetControlVisible(form_, true);
  HWND formHandle = HandleOf(form_);
  form_->SetOnDestroy(
      [](void* hwnd, TObj*) {
        const bool hiddenAlive = IsWindow(HWND(hwnd)) && !IsWindowVisible(HWND(hwnd));
        Steps().push_back(hiddenAlive ? "form hidden, window alive" : "form wrong");
      },
      formHandle);
  form_->Free();
  EXPECT_EQ(Steps(), (Sequence{"form hidden, window alive", "second label destroyed", "label destroyed"}));
  EXPECT_FALSE(IsWindow(formHandle));
  EXPECT_EQ(app_->children->Count(), 0);
}

TEST_F(MessageRoutingTest, ASecondaryFormFreesItselfWhenItsWindowIsDestroyed) {
  TControl* secondary = MakeForm(app_, "Secondary");
  secondary->SetOnDestroy(&testing::RecordDestroyed, const_cast<char*>("secondary"));
  HWND hwnd = HandleOf(secondary);
  DestroyWindow(hwnd);
  EXPECT_EQ(Steps(), Sequence{"secondary destroyed"});
  EXPECT_EQ(app_->children->IndexOf(secondary), -1);
}

}  // namespace
}  // namespace lobrin
