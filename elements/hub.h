#pragma once
// The fan-out element: one incoming event becomes an ordered series of events.

#include <cstdint>
#include <vector>

#include "elements/data.h"

namespace lobrin {

class THIHub {
 public:
  std::uint8_t outputCount = 0;    // how many outputs fanOutPoint fires
  std::vector<THI_Event> outputs;  // owned; index 0 fires first

  // Resizes outputs to `count` (existing links stay, new ones are unlinked),
  // then sets outputCount to its low 8 bits.
  void SetOutputCount(std::uint16_t count);

  // Input point: fires a fresh copy of `value` on each output in index order;
  // the whole cascade behind output i ends before output i + 1 fires.
  void fanOutPoint(TData& value, std::uint16_t index);
};

}  // namespace lobrin
