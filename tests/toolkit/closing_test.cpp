// Closing the main form and the message loop: the loop runs for real, driven by
// posted messages and timers, with a safety timer that ends a hung loop.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/form_fixture.h"
#include "toolkit/message_loop.h"

namespace lobrin {
namespace {

using namespace testing;
using Sequence = std::vector<std::string>;

bool g_timedOut = false;
std::function<void()> g_onTimer;

class ClosingTest : public testing::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form_->SetOnDestroy(&testing::RecordDestroyed, const_cast<char*>("form"));
    app_->SetOnDestroy(&testing::RecordDestroyed, const_cast<char*>("application window"));
    formHandle_ = HandleOf(form_);
    appHandle_ = HandleOf(app_);
  }
  // Runs the loop until it ends; `action` runs from a timer once the loop is going.
  void RunLoop(std::function<void()> action) {
    g_timedOut = false;
    g_onTimer = std::move(action);
    const UINT_PTR safety = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      g_timedOut = true;
      PostQuitMessage(0);
    });
    SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      g_onTimer();
    });
    RunMessageLoop(app_);  // ends the application, frees it and forgets it
    KillTimer(nullptr, safety);
    ASSERT_FALSE(g_timedOut) << "the message loop did not end";
  }
  // A close query that counts its calls and answers `accept`.
  void QueryClose(bool accept) {
    accept_ = accept;
    const auto ask = [](void* self, TControl*, bool& accept) {
      ++static_cast<ClosingTest*>(self)->asked_;
      accept = static_cast<ClosingTest*>(self)->accept_;
    };
    form_->onCloseQuery = TCloseQueryEvent{ask, this};
  }

  HWND formHandle_ = nullptr, appHandle_ = nullptr;
  int asked_ = 0;
  bool accept_ = true;
};

TEST_F(ClosingTest, TheMainFormDecidesEveryCloseAndItsCloseEndsTheLoopAndTheApplicationWindow) {
  QueryClose(false);
  RunLoop([&] {
    SendMessageA(formHandle_, WM_CLOSE, 0, 0);
    SendMessageA(appHandle_, WM_SYSCOMMAND, SC_CLOSE, 0);
    // Refused: both windows and the loop go on.
    EXPECT_TRUE(IsWindow(formHandle_) && IsWindow(appHandle_) && !QuitReceived() && LoopRunning());
    accept_ = true;
    PostMessageA(appHandle_, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(asked_, 3);
  EXPECT_EQ(app_, nullptr);
  EXPECT_EQ(AppWindow(), nullptr);
  EXPECT_FALSE(LoopRunning());
  EXPECT_EQ(Steps(), (Sequence{"application window destroyed", "form destroyed"}));
}

TEST_F(ClosingTest, MinimisingTheMainFormMinimisesTheApplicationWindowInstead) {
  AttachHandler(
      app_,
      [](TControl*, TMessage& msg, LRESULT&) {
        if (msg.message != WM_SYSCOMMAND || (msg.wParam & 0xFFF0) != SC_MINIMIZE) {
          return false;
        }
        Steps().push_back("application window minimises");
        return true;
      },
      false);
  SendMessageA(formHandle_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  testing::DrainMessages();
  EXPECT_EQ(Steps(), Sequence{"application window minimises"});
  EXPECT_FALSE(IsIconic(formHandle_));
}

TEST_F(ClosingTest, EndApplicationOutsideTheLoopClosesAndFreesTheApplicationWindow) {
  EndApplication(app_);
  EXPECT_EQ(app_, nullptr);
  EXPECT_TRUE(QuitReceived());
  EXPECT_FALSE(IsWindow(formHandle_));
}

}  // namespace
}  // namespace lobrin
