// Closing the main form and the message loop: the loop runs for real, driven by
// posted messages and timers, with a safety timer that ends a hung loop.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/toolkit/control_fixture.h"
#include "toolkit/control.h"
#include "toolkit/message_loop.h"

namespace lobrin {
namespace {

using testing::ControlTest;
using testing::Steps;

constexpr UINT kSafetyMilliseconds = 5000;
bool g_timedOut = false;
std::function<void()> g_onTimer;

void CALLBACK SafetyTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_timedOut = true;
  PostQuitMessage(0);
}

void CALLBACK ActionTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (g_onTimer) g_onTimer();
}

class ClosingTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    g_timedOut = false;
    g_onTimer = nullptr;
    form_->SetOnDestroy(&testing::RecordDestroyed, const_cast<char*>("form"));
    app_->SetOnDestroy(&testing::RecordDestroyed, const_cast<char*>("application window"));
    formHandle_ = HandleOf(form_);
    appHandle_ = HandleOf(app_);
  }

  // Runs the loop until it ends; `action` runs from a timer once the loop is going.
  void RunLoop(std::function<void()> action) {
    g_onTimer = std::move(action);
    const UINT_PTR safety = SetTimer(nullptr, 0, kSafetyMilliseconds, &SafetyTimer);
    SetTimer(nullptr, 0, 10, &ActionTimer);
    TControl* app = app_;
    RunMessageLoop(app);
    KillTimer(nullptr, safety);
    if (app == nullptr) app_ = nullptr;  // the loop ended the application and freed it
    ASSERT_FALSE(g_timedOut) << "the message loop did not end";
  }

  HWND formHandle_ = nullptr;
  HWND appHandle_ = nullptr;
};

TEST_F(ClosingTest, ClosingTheMainFormEndsTheLoopAndTheApplicationWindowGoesWithIt) {
  RunLoop([this] { PostMessageA(formHandle_, WM_CLOSE, 0, 0); });
  EXPECT_EQ(app_, nullptr);
  EXPECT_EQ(AppWindow, nullptr);
  EXPECT_FALSE(LoopRunning);
  EXPECT_FALSE(IsWindow(formHandle_));
  EXPECT_FALSE(IsWindow(appHandle_));
  const std::vector<std::string> expected = {"application window destroyed", "form destroyed"};
  EXPECT_EQ(Steps(), expected);
}

TEST_F(ClosingTest, ACloseQueryThatRefusesKeepsEverythingOpen) {
  struct Query {
    int asked = 0;
    static void Refuse(void* data, TControl*, bool& accept) {
      ++static_cast<Query*>(data)->asked;
      accept = false;
    }
  } query;
  form_->onCloseQuery = TCloseQueryEvent{&Query::Refuse, &query};
  bool stillOpen = false;
  RunLoop([&] {
    SendMessageA(formHandle_, WM_CLOSE, 0, 0);
    stillOpen = IsWindow(formHandle_) && IsWindow(appHandle_) && !QuitReceived && LoopRunning;
    PostMessageA(appHandle_, WM_CLOSE, 0, 0);  // the application window's own close ends the run
  });
  EXPECT_EQ(query.asked, 1);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(app_, nullptr);
}

TEST_F(ClosingTest, CloseFromTheTaskbarButtonAsksTheMainForm) {
  struct Query {
    int asked = 0;
    static void Accept(void* data, TControl*, bool&) { ++static_cast<Query*>(data)->asked; }
  } query;
  form_->onCloseQuery = TCloseQueryEvent{&Query::Accept, &query};
  RunLoop([this] { PostMessageA(appHandle_, WM_SYSCOMMAND, SC_CLOSE, 0); });
  EXPECT_EQ(query.asked, 1);
  EXPECT_EQ(app_, nullptr);
}

TEST_F(ClosingTest, MinimisingTheMainFormMinimisesTheApplicationWindowInstead) {
  struct Probe {
    static bool Record(TControl*, TMessage& msg, LRESULT& result) {
      if (msg.message != WM_SYSCOMMAND || (msg.wParam & 0xFFF0) != SC_MINIMIZE) return false;
      Steps().push_back("application window minimises");
      result = 0;
      return true;
    }
  };
  AttachHandler(app_, &Probe::Record, false);
  Steps().clear();
  SendMessageA(formHandle_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  testing::DrainQueue();
  EXPECT_EQ(Steps(), std::vector<std::string>{"application window minimises"});
  EXPECT_FALSE(IsIconic(formHandle_));
}

TEST_F(ClosingTest, EndApplicationOutsideTheLoopClosesAndFreesTheApplicationWindow) {
  TControl* app = app_;
  EndApplication(app);
  app_ = nullptr;
  EXPECT_EQ(app, nullptr);
  EXPECT_TRUE(QuitReceived);
  EXPECT_FALSE(IsWindow(appHandle_));
  EXPECT_FALSE(IsWindow(formHandle_));
}

}  // namespace
}  // namespace lobrin
