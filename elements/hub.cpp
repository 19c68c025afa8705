#include "elements/hub.h"

namespace lobrin {

void THIHub::SetOutputCount(std::uint16_t count) {
  outputs.resize(count);
  outputCount = static_cast<std::uint8_t>(count);
}

void THIHub::fanOutPoint(TData& value, std::uint16_t) {
  // Bounded by the array too, and re-checked each turn: a receiver may resize it.
  for (std::size_t i = 0; i < outputCount && i < outputs.size(); ++i) {
    const THI_Event output = outputs[i];  // a copy: the array may move meanwhile
    FireCopy(output, value);
  }
}

}  // namespace lobrin
