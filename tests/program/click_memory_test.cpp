// A Calculate click takes no memory from the heap once a first click has
// shown texts of the same length: every text it converts, shows and reads
// back reuses memory kept from before. Counted by replacing the global
// allocation functions of this test program.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <new>
#include <string>

#include "app/calculator_form.h"
#include "app/program_modules.h"
#include "elements/data.h"
#include "toolkit/control.h"

namespace {
bool g_counting = false;
int g_allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  if (g_counting) ++g_allocations;
  if (void* block = std::malloc(size != 0 ? size : 1)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace lobrin {
namespace {

void Retype(THIEdit& edit, const char* text) {
  SendMessageA(edit.control->handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

std::string Text(THIEdit& edit) { return GetControlText(edit.control); }

class ClickMemoryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitializeProgramModules(); }
  static void TearDownTestSuite() { FinalizeProgramModules(); }
  void SetUp() override {
    DisableLinks();
    form_ = new TClassMainForm_2157830();
    EnableLinks();
    RunStartupCallbacks();
  }
  void TearDown() override {
    g_counting = false;
    DisableLinks();
    delete form_;
  }
  // Allocations made by one Calculate click.
  int CountedClick() {
    g_allocations = 0;
    g_counting = true;
    SendMessageA(form_->Elements().ButtonAt(graph::CalculateButton).control->handle, BM_CLICK, 0, 0);
    g_counting = false;
    return g_allocations;
  }

  THIEdit& Edit(graph::Id id) { return form_->Elements().EditAt(id); }

  TClassMainForm_2157830* form_ = nullptr;
};

TEST_F(ClickMemoryTest, AClickAfterTheFirstTakesNoHeapMemory) {
  const struct {
    const char* hPlane;
    const char* ePlane;
    const char* frequency;
    const char* hMetres;  // what the click shows: nullptr for any text but the empty one
  } rows[] = {
      {"30", "28.5", "144", "4.02469094287112"},  // sixteen-character texts: beyond a short string's room
      {"32", "30", "1296", nullptr},
      {"0", "28.5", "144", ""},  // a division by zero: the H-plane boxes are left as they are
  };
  for (const auto& row : rows) {
    Retype(Edit(graph::HMetersEdit), "");
    Retype(Edit(graph::HPlaneBwEdit), row.hPlane);
    Retype(Edit(graph::EPlaneBwEdit), row.ePlane);
    Retype(Edit(graph::FrequencyEdit), row.frequency);
    CountedClick();  // the first click may take memory for texts longer than any before
    const std::string shown = Text(Edit(graph::HMetersEdit));
    EXPECT_EQ(CountedClick(), 0) << row.hPlane << " / " << row.ePlane << " / " << row.frequency;
    EXPECT_EQ(Text(Edit(graph::HMetersEdit)), shown);
    if (row.hMetres != nullptr) EXPECT_EQ(shown, row.hMetres);
    else EXPECT_FALSE(shown.empty());
    EXPECT_FALSE(Text(Edit(graph::EFeetEdit)).empty());
  }
}

}  // namespace
}  // namespace lobrin
