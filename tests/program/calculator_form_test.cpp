// The calculator's form built for real: its graph and windows, the order in
// which Clear empties the boxes, and the heap memory a Calculate click takes.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "app/calculator_form.h"
#include "app/program_modules.h"
#include "elements/data.h"
#include "toolkit/control.h"

// Allocations are counted by replacing the global allocation functions of this test program.
namespace {
bool g_counting = false;
int g_allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  if (g_counting) {
    ++g_allocations;
  }
  if (void* block = std::malloc(size != 0 ? size : 1)) {
    return block;
  }
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace lobrin {
namespace {

// Replaces the text of an edit, as a paste does.
void Paste(THIEdit& edit, const char* text) {
  SendMessageA(edit.control->handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// The form built with link traffic off, as the program builds it; Start runs the start-up step.
class CalculatorFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitializeProgramModules(); }
  static void TearDownTestSuite() { FinalizeProgramModules(); }
  void SetUp() override {
    DisableLinks();
    form_ = new TClassMainForm_2157830();
  }
  void TearDown() override {
    g_counting = false;
    DisableLinks();
    delete form_;
  }
  void Start() {
    EnableLinks();
    RunStartupCallbacks();
  }
  THIEdit& Edit(graph::Id id) { return form_->Elements().EditAt(id); }
  void Click(graph::Id button) {
    SendMessageA(form_->Elements().ButtonAt(button).control->handle, BM_CLICK, 0, 0);
  }

  TClassMainForm_2157830* form_ = nullptr;  // owned
};

TEST_F(CalculatorFormTest, BuildsTheWholeGraphWithLinkTrafficOffAndFreesEveryWindow) {
  EXPECT_EQ(form_->Elements().ElementsMade(), 53) << "the window leaves no element out";
  HWND main = form_->MainForm->control->handle;
  ASSERT_TRUE(IsWindow(main));
  EXPECT_FALSE(IsWindowVisible(main)) << "nothing shows before the start-up step";

  // While traffic is off, a typed frequency reaches no wavelength element.
  Paste(Edit(graph::FrequencyEdit), "150");
  EXPECT_EQ(form_->Elements().MathAt(graph::HWavelengthMath).result, 0.0);
  Paste(Edit(graph::FrequencyEdit), "");

  Start();
  EXPECT_TRUE(IsWindowVisible(main));
  Paste(Edit(graph::FrequencyEdit), "150");
  EXPECT_EQ(form_->Elements().MathAt(graph::HWavelengthMath).result, 2.0);

  HWND calculate = form_->Elements().ButtonAt(graph::CalculateButton).control->handle;
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(calculate, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfWeight, FW_BOLD) << "the caption of Calculate is bold";

  std::vector<HWND> windows;  // the controls are the form's children, none has children of its own
  for (HWND child = GetWindow(main, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    windows.push_back(child);
  }
  ASSERT_FALSE(windows.empty());
  DisableLinks();
  delete form_;
  form_ = nullptr;
  EXPECT_FALSE(IsWindow(main));
  for (HWND child : windows) {
    EXPECT_FALSE(IsWindow(child));
  }
}

std::vector<std::pair<TControl*, const char*>> watched;  // the edits whose new texts are recorded, by name
std::vector<std::string> setTexts;                       // every WM_SETTEXT to a watched edit, as "name:text"

// A message hook of the watched edits: records, never handles.
bool RecordSetText(TControl* control, TMessage& msg, LRESULT&) {
  for (const auto& [edit, name] : watched) {
    if (edit == control && msg.message == WM_SETTEXT) {
      setTexts.push_back(std::string(name) + ":" + reinterpret_cast<const char*>(msg.lParam));
    }
  }
  return false;
}

// The silent ones among the seven new texts start no calculation on the way.
TEST_F(CalculatorFormTest, ClearEmptiesTheSevenBoxesInHubOrderWithoutCalculating) {
  Start();
  const std::pair<graph::Id, const char*> edits[] = {
      {graph::HPlaneBwEdit, "HPlaneBw"},   {graph::EPlaneBwEdit, "EPlaneBw"},
      {graph::FrequencyEdit, "Frequency"}, {graph::HMetersEdit, "HMeters"},
      {graph::HFeetEdit, "HFeet"},         {graph::EMetersEdit, "EMeters"},
      {graph::EFeetEdit, "EFeet"}};
  for (const auto& [edit, name] : edits) {
    Paste(Edit(edit), "7");
    Edit(edit).control->additionalHook = &RecordSetText;
    watched.push_back({Edit(edit).control, name});
  }
  Click(graph::ClearButton);
  EXPECT_EQ(setTexts, (std::vector<std::string>{"HPlaneBw:", "Frequency:", "HMeters:", "HFeet:", "EFeet:",
                                                "EMeters:", "EPlaneBw:"}));
  watched.clear();
}

// A Calculate click takes no memory from the heap once a first click has
// shown texts of the same length: every text it converts, shows and reads
// back reuses memory kept from before.
TEST_F(CalculatorFormTest, AClickAfterTheFirstTakesNoHeapMemory) {
  Start();
  const struct {
    const char *hPlane, *ePlane, *frequency;
    const char* hMetres;  // what the click shows: nullptr for any text but the empty one
  } rows[] = {
      {"30", "28.5", "144", "4.02469094287112"},  // sixteen-character texts: beyond a short string's room
      {"32", "30", "1296", nullptr},
      {"0", "28.5", "144", ""},  // a division by zero: the H-plane boxes are left as they are
  };
  for (const auto& row : rows) {
    Paste(Edit(graph::HMetersEdit), "");
    Paste(Edit(graph::HPlaneBwEdit), row.hPlane);
    Paste(Edit(graph::EPlaneBwEdit), row.ePlane);
    Paste(Edit(graph::FrequencyEdit), row.frequency);
    Click(graph::CalculateButton);  // the first click may take memory for texts longer than any before
    const std::string shown = GetControlText(Edit(graph::HMetersEdit).control);
    g_allocations = 0;
    g_counting = true;
    Click(graph::CalculateButton);
    g_counting = false;
    EXPECT_EQ(g_allocations, 0) << row.hPlane << " / " << row.ePlane << " / " << row.frequency;
    EXPECT_EQ(GetControlText(Edit(graph::HMetersEdit).control), shown);
    if (row.hMetres != nullptr) {
      EXPECT_EQ(shown, row.hMetres);
    } else {
      EXPECT_FALSE(shown.empty());
    }
    EXPECT_FALSE(GetControlText(Edit(graph::EFeetEdit).control).empty());
  }
}

}  // namespace
}  // namespace lobrin
