#include "app/program_modules.h"

#include <iterator>

#include "elements/hint_manager.h"
#include "elements/win/secondary_forms.h"

namespace lobrin {
namespace {

struct ProgramModule {
  void (*initialise)();
  void (*finalise)();
};

// In initialisation order; the finalisers run in reverse. The runtime, the
// toolkit and the element framework keep their process-wide values in
// objects that release themselves, so only the two modules below act.
constexpr ProgramModule kModules[] = {
    {&InitHintManagerModule, nullptr},
    {&InitMainFormModule, &FinishMainFormModule},
};

}  // namespace

void InitializeProgramModules() {
  for (const ProgramModule& module : kModules) {
    if (module.initialise != nullptr) {
      module.initialise();
    }
  }
}

void FinalizeProgramModules() {
  for (auto it = std::rbegin(kModules); it != std::rend(kModules); ++it) {
    if (it->finalise != nullptr) {
      it->finalise();
    }
  }
}

}  // namespace lobrin
