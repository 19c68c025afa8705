// Long use must not make the program grow: Calculate clicks with changing
// inputs, and repaints of the whole window. A test run makes 1,000 of each;
// scripts/soak makes 10,000 of each (LOBRIN_SOAK_ROUNDS) before a release.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "calculator_fixture.h"
#include "process_memory.h"

namespace lobrin::gui {
namespace {

constexpr int kWarmUpRounds = 300;
constexpr int kDefaultRounds = 1000;
// A flat run grows by 0 to 4 kB; a leak of 64 bytes per Calculate click
// grows 1,000 rounds by some 76 kB.
constexpr uint64_t kPrivateGrowthAllowed = uint64_t{48} * 1024;

// The Calculate clicks and the repaints each: LOBRIN_SOAK_ROUNDS if set, else 1,000.
int Rounds() {
  const char* text = std::getenv("LOBRIN_SOAK_ROUNDS");
  const int rounds = text != nullptr ? std::atoi(text) : 0;
  return rounds > 0 ? rounds : kDefaultRounds;
}

// Runs `work` on a thread of its own and waits at most `timeoutMs` for it;
// a call into a hung program then fails the test instead of blocking it.
bool RunWithTimeout(const std::function<void()>& work, DWORD timeoutMs) {
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> finished = done->get_future();
  std::thread([work, done] {
    work();
    done->set_value();
  }).detach();
  return finished.wait_for(std::chrono::milliseconds(timeoutMs)) == std::future_status::ready;
}

class SoakTest : public CalculatorTest {
 protected:
  void SetUp() override {
    CalculatorTest::SetUp();
    if (HasFatalFailure()) {
      return;
    }
    unixPid_ = UnixPidOf("lobrin.exe");
    ASSERT_TRUE(calc().Type(Edit::Frequency, "144"));
  }

  ProcessMemory Measure() { return MeasureProcess(calc().Process().Handle(), unixPid_); }

  // One round of use: new beamwidths, now and then a new frequency, Calculate.
  bool CalculateRound(int round) {
    if (round % 10 == 0 && !calc().Retype(Edit::Frequency, std::to_string(50 + round % 1250))) {
      return false;
    }
    return calc().SetText(Edit::HPlaneBw, std::to_string(10 + round % 170)) &&
           calc().SetText(Edit::EPlaneBw, std::to_string(round % 90) + ".5") &&
           calc().Click(Button::Calculate);
  }

  bool RepaintRounds(int rounds) {
    HWND main = calc().MainWindow();
    for (int done = 0; done < rounds; done += 100) {
      const bool finished = RunWithTimeout(
          [main] {
            for (int i = 0; i < 100; ++i) {
              RedrawWindow(main, nullptr, nullptr,
                           RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            }
          },
          60000);
      if (!finished || !calc().Responsive()) {
        return false;
      }
    }
    return true;
  }

  void ExpectNoGrowth(const ProcessMemory& before, const ProcessMemory& after, const char* what) {
    std::printf("%s: private %.0f -> %.0f kB, GDI %lu -> %lu, USER %lu -> %lu\n", what,
                static_cast<double>(before.privateBytes) / 1024,
                static_cast<double>(after.privateBytes) / 1024, before.gdiObjects, after.gdiObjects,
                before.userObjects, after.userObjects);
    ASSERT_NE(before.privateBytes, 0u) << "private memory cannot be measured here";
    EXPECT_LE(after.privateBytes, before.privateBytes + kPrivateGrowthAllowed);
    EXPECT_LE(after.gdiObjects, before.gdiObjects);
    EXPECT_LE(after.userObjects, before.userObjects);
  }

  unsigned long unixPid_ = 0;
};

TEST_F(SoakTest, CalculationsDoNotGrowMemory) {
  for (int round = 0; round < kWarmUpRounds; ++round) {
    ASSERT_TRUE(CalculateRound(round));
  }
  const ProcessMemory before = Measure();
  for (int round = 0; round < Rounds(); ++round) {
    ASSERT_TRUE(CalculateRound(round)) << "round " << round;
  }
  ExpectNoGrowth(before, Measure(), "Calculate clicks");
}

TEST_F(SoakTest, RepaintsDoNotGrowMemory) {
  ASSERT_TRUE(CalculateRound(1));
  ASSERT_TRUE(RepaintRounds(kWarmUpRounds));
  const ProcessMemory before = Measure();
  ASSERT_TRUE(RepaintRounds(Rounds())) << "a repaint did not end in time";
  ExpectNoGrowth(before, Measure(), "whole-window repaints");
}

}  // namespace
}  // namespace lobrin::gui
