#include "toolkit/fpu_control.h"

namespace lobrin {

void SetExtendedPrecisionNoTraps() {
  std::uint16_t word = kExtendedNoTrapsControlWord;
  asm volatile("fclex\n\tfldcw %0" : : "m"(word));
}

std::uint16_t ReadFpuControlWord() {
  std::uint16_t word = 0;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}

}  // namespace lobrin
