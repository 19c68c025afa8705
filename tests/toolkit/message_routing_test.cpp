// The steps a message takes through a control, recorded by probes at each step
// and compared with the expected sequence. Only the toolkit's own steps are
// recorded: the system's messages around them differ between systems.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/control_fixture.h"
#include "toolkit/control.h"

namespace lobrin {
namespace {

using testing::ControlTest;
using testing::Steps;
using Sequence = std::vector<std::string>;

UINT g_probeMessage = kPrivateMessage;
std::string g_handledBy;   // the step that answers "handled"
std::string g_freedBy;     // the step that frees the control
TControl* g_control = nullptr;

// Records the step; frees the control when it is this step's turn; answers.
bool Step(const std::string& name, const TMessage& msg) {
  if (msg.message != g_probeMessage) return false;
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
void BuiltIn(WPARAM, LPARAM) { Steps().push_back("built-in"); }

class MessageRoutingTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    g_probeMessage = kPrivateMessage;
    g_handledBy.clear();
    g_freedBy.clear();
    label_ = MakeLabel(form_, "probe");
    g_control = label_;
    label_->SetOnDestroy(&testing::RecordDestroyed, const_cast<char*>("label"));
    PreDispatchHook = &PreDispatch;
    PrivateMessageProc = &BuiltIn;
    app_->onMessage = TMessageEvent{&AppEvent, nullptr};
    label_->onMessage = TMessageEvent{&OwnEvent, nullptr};
    AttachHandler(label_, &FirstHandler, true);
    AttachHandler(label_, &SecondHandler, false);
    label_->additionalHook = &Additional;
    label_->afterMessage = &After;
    hwnd_ = HandleOf(label_);
    ASSERT_NE(hwnd_, nullptr);
    LoopRunning = true;  // the application event sees messages only while the loop runs
    Steps().clear();
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

const Sequence kFullSequence = {"pre-dispatch",   "application event", "message event", "second handler",
                                "first handler",  "additional hook",   "built-in",      "after message"};

Sequence Prefix(std::size_t n) { return Sequence(kFullSequence.begin(), kFullSequence.begin() + n); }

TEST_F(MessageRoutingTest, TheFirstStepThatHandlesEndsTheSequence) {
  const struct {
    const char* handledBy;
    Sequence expected;
  } cases[] = {
      {"", kFullSequence},
      {"pre-dispatch", Prefix(1)},
      {"application event", Prefix(2)},
      {"message event", Prefix(3)},
      {"second handler", Prefix(4)},  // the most recently attached handler comes first
      {"first handler", Prefix(5)},
      {"additional hook", Prefix(6)},
  };
  for (const auto& c : cases) {
    g_handledBy = c.handledBy;
    EXPECT_EQ(Send(kPrivateMessage), c.expected) << "handled by: " << c.handledBy;
  }
}

TEST_F(MessageRoutingTest, AttachingAHandlerTwiceKeepsOneEntry) {
  AttachHandler(label_, &FirstHandler, true);
  EXPECT_EQ(Send(kPrivateMessage), kFullSequence);
}

TEST_F(MessageRoutingTest, ApplicationEventSeesMessagesOnlyWhileTheLoopRuns) {
  LoopRunning = false;
  Sequence expected = kFullSequence;
  expected.erase(expected.begin() + 1);
  EXPECT_EQ(Send(kPrivateMessage), expected);
}

TEST_F(MessageRoutingTest, AfterQuitOnlyHandlersMarkedForItRunAndNoAfterMessage) {
  QuitReceived = true;
  const Sequence expected = {"pre-dispatch",  "application event", "message event",
                             "first handler", "additional hook",   "built-in"};
  EXPECT_EQ(Send(kPrivateMessage), expected);
}

TEST_F(MessageRoutingTest, FreeingTheControlDuringDispatchIsDeferredToTheEnd) {
  const struct {
    const char* freedBy;
    UINT message;
    Sequence expected;
  } cases[] = {
      {"message event", kPrivateMessage,
       {"pre-dispatch", "application event", "message event frees", "message event returns", "label destroyed"}},
      {"second handler", kPrivateMessage,
       {"pre-dispatch", "application event", "message event", "second handler frees", "second handler returns",
        "label destroyed"}},
      // The toolkit's own free message: built-in handling frees, the after-message step is skipped.
      {"", kFreeControlMessage,
       {"pre-dispatch", "application event", "message event", "second handler", "first handler",
        "additional hook", "label destroyed"}},
  };
  for (const auto& c : cases) {
    Steps().clear();
    label_ = MakeLabel(form_, "probe");
    g_control = label_;
    label_->SetOnDestroy(&testing::RecordDestroyed, const_cast<char*>("label"));
    label_->onMessage = TMessageEvent{&OwnEvent, nullptr};
    AttachHandler(label_, &FirstHandler, true);
    AttachHandler(label_, &SecondHandler, false);
    label_->additionalHook = &Additional;
    label_->afterMessage = &After;
    hwnd_ = HandleOf(label_);
    ASSERT_NE(hwnd_, nullptr);
    g_freedBy = c.freedBy;
    EXPECT_EQ(Send(c.message), c.expected) << "freed by: " << c.freedBy << " " << c.message;
    EXPECT_FALSE(IsWindow(hwnd_)) << "the window goes with its control";
    EXPECT_EQ(form_->children->IndexOf(label_), -1);
  }
}

TEST_F(MessageRoutingTest, WindowsCarryTheirObjectAndSuperclassesAreRegisteredOnce) {
  TControl* first = MakeEdit(form_, 0);
  TControl* second = MakeEdit(form_, 0);
  TControl* button = MakeButton(form_, "OK");
  const struct {
    TControl* control;
    const char* className;
  } cases[] = {{app_, "obj_App"}, {form_, "obj_Form"}, {label_, "obj_STATIC"},
               {first, "obj_EDIT"}, {second, "obj_EDIT"}, {button, "obj_BUTTON"}};
  for (const auto& c : cases) {
    HWND hwnd = HandleOf(c.control);
    ASSERT_NE(hwnd, nullptr) << c.className;
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    EXPECT_STREQ(name, c.className);
    EXPECT_EQ(GetPropA(hwnd, "SELF_"), c.control) << c.className;
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd, GCLP_WNDPROC)), &ControlWindowProc);
  }
  EXPECT_EQ(GetClassLongPtrA(HandleOf(first), GCW_ATOM), GetClassLongPtrA(HandleOf(second), GCW_ATOM));
  WNDCLASSA system = {};
  ASSERT_TRUE(GetClassInfoA(nullptr, "EDIT", &system));
  EXPECT_EQ(first->previousWndProc, system.lpfnWndProc);
  EXPECT_EQ(second->previousWndProc, system.lpfnWndProc);
  EXPECT_EQ(second->controlId, first->controlId + 1);
}

TEST_F(MessageRoutingTest, DestroyingAParentHidesItFirstThenFreesTheLastChildFirst) {
  TControl* other = MakeLabel(form_, "second");
  other->SetOnDestroy(&testing::RecordDestroyed, const_cast<char*>("second label"));
  SetControlVisible(form_, true);
  HWND formHandle = HandleOf(form_);
  struct Probe {
    static void FormGoes(void* data, TObj*) {
      auto hwnd = static_cast<HWND>(data);
      Steps().push_back(IsWindow(hwnd) && !IsWindowVisible(hwnd) ? "form hidden, window alive" : "form wrong");
    }
  };
  form_->SetOnDestroy(&Probe::FormGoes, formHandle);
  Steps().clear();
  form_->Free();
  const Sequence expected = {"form hidden, window alive", "second label destroyed", "label destroyed"};
  EXPECT_EQ(Steps(), expected);
  EXPECT_FALSE(IsWindow(formHandle));
  EXPECT_EQ(app_->children->Count(), 0);
}

TEST_F(MessageRoutingTest, ASecondaryFormFreesItselfWhenItsWindowIsDestroyed) {
  TControl* secondary = MakeForm(app_, "Secondary");
  secondary->SetOnDestroy(&testing::RecordDestroyed, const_cast<char*>("secondary"));
  HWND hwnd = HandleOf(secondary);
  ASSERT_NE(hwnd, nullptr);
  Steps().clear();
  DestroyWindow(hwnd);
  EXPECT_EQ(Steps(), Sequence{"secondary destroyed"});
  EXPECT_EQ(app_->children->IndexOf(secondary), -1);
}

}  // namespace
}  // namespace lobrin
