#include "elements/hint_manager.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace lobrin {
namespace {

class HintManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitHintManagerModule();
    control_ = CreateWindowExA(0, "STATIC", "tip owner", WS_POPUP, 10, 10, 80, 20, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(control_, nullptr);
  }
  void TearDown() override { DestroyWindow(control_); }
  std::string TipText(TipHandle tip) {
    char buffer[128] = "unchanged";
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = control_;
    info.uId = reinterpret_cast<UINT_PTR>(control_);
    info.lpszText = buffer;
    SendMessageA(TipWindow(tip), TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&info));
    return info.lpszText ? std::string(info.lpszText) : "(null)";
  }

  HWND control_ = nullptr;
};

TEST_F(HintManagerTest, TipWindowKeepsItsOwnTextAndGoesWithDestroyTipAndItsFontOrWithItsControl) {
  THIHintManager manager;
  const TTipInterface* tips = manager.GetTipInterface();
  TipHandle tip = tips->createTip(tips->manager, control_);
  HWND window = TipWindow(tip);
  auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  ASSERT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));

  std::string hint = "Press to compute";
  manager.SetTipText(tip, hint);
  hint = "changed by its element";
  EXPECT_EQ(TipText(tip), "Press to compute") << "the tip keeps its own copy";
  manager.SetTipText(tip, "");
  EXPECT_EQ(TipText(tip), "");

  tips->destroyTip(tips->manager, tip);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(GetObjectType(font), 0u) << "the tip's font outlives its tip";

  // Destroying a tip after its control is safe.
  tip = manager.CreateTip(control_);
  window = TipWindow(tip);
  DestroyWindow(control_);  // takes its owned tooltip window with it
  control_ = nullptr;
  EXPECT_FALSE(IsWindow(window));
  manager.DestroyTip(tip);
}

}  // namespace
}  // namespace lobrin
