#pragma once
// The shared hidden form, link traffic on, and a maker for windowed elements.

#include <memory>

#include "elements/win/win.h"
#include "tests/support/form_fixture.h"

namespace lobrin::testing {

// The two ways a subclass makes its control: at Create (label) or at Init (edit).
class TestLabel : public THIWin {
 public:
  void Create(TControl* parent) override {
    THIWin::Create(parent);
    control = MakeLabel(parentControl, "label");
  }
};

class TestEdit : public THIWin {
 public:
  void Init() override {
    control = MakeEdit(parentControl, 0);
    THIWin::Init();
  }
};

// Link traffic is on, as after the program's start-up step.
class FormFixture : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    EnableLinks();
  }
  // Creates an element on the form with the settings `configure` writes, then Init.
  template <class Element, class Configure>
  std::unique_ptr<Element> Make(Configure configure) {
    auto element = std::make_unique<Element>();
    element->Create(form_);
    element->left = element->top = 10;
    element->width = 60;
    element->height = 20;
    element->font = TFontRec{"MS Sans Serif", 8, 0, 0, 1};
    configure(*element);
    element->Init();
    return element;
  }
};

}  // namespace lobrin::testing
