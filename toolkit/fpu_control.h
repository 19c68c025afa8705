#pragma once
// The x87 floating-point setting the whole program computes under.

#include <cstdint>

namespace lobrin {

// Extended precision (64-bit significand), round to nearest, every exception masked.
constexpr std::uint16_t kExtendedNoTrapsControlWord = 0x037F;

// Loads kExtendedNoTrapsControlWord into the x87 control word. Called once at the
// start of the program and of every test program.
void SetExtendedPrecisionNoTraps();

// The current x87 control word.
std::uint16_t ReadFpuControlWord();

}  // namespace lobrin
