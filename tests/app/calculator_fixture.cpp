#include "calculator_fixture.h"

#include <utility>
#include <vector>

namespace lobrin::gui {

namespace {

constexpr DWORD kExitTimeoutMs = 15000;

struct ClosingCalculator {
  std::unique_ptr<Calculator> calculator;
  std::string testName;
};

// Checks at the end of the run that every closed calculator has ended well.
class ExitCheck : public ::testing::Environment {
 public:
  void Add(ClosingCalculator closing) { closing_.push_back(std::move(closing)); }

  void TearDown() override {
    for (ClosingCalculator& closing : closing_) {
      DWORD exitCode = 0;
      if (!closing.calculator->Process().WaitForExit(kExitTimeoutMs, &exitCode)) {
        ADD_FAILURE() << closing.testName << ": the calculator did not end after WM_CLOSE";
      } else if (exitCode != 0) {
        ADD_FAILURE() << closing.testName << ": the calculator ended with exit code " << exitCode;
      }
    }
    closing_.clear();
  }

 private:
  std::vector<ClosingCalculator> closing_;
};

ExitCheck* const kExitCheck = static_cast<ExitCheck*>(::testing::AddGlobalTestEnvironment(new ExitCheck));

}  // namespace

void CalculatorTest::TearDown() {
  if (calculator_->MainWindow() == nullptr) {
    return;  // never started; killed if it runs
  }
  DWORD exitCode = 0;
  if (calculator_->Process().WaitForExit(0, &exitCode)) {
    ADD_FAILURE() << "the calculator ended during the test, exit code " << exitCode;
    return;
  }
  ASSERT_TRUE(PostMessageA(calculator_->MainWindow(), WM_CLOSE, 0, 0));
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string testName = std::string(test->test_suite_name()) + "." + test->name();
  kExitCheck->Add({std::move(calculator_), testName});
}

}  // namespace lobrin::gui
