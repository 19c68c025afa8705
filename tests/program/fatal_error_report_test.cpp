#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>

#include "app/fatal_error_report.h"

namespace lobrin {
namespace {

TEST(FatalErrorReport, TextNamesTheErrorNumberAndTheFaultingAddress) {
  const void* address = reinterpret_cast<const void*>(std::uintptr_t{0x4015A3});
  EXPECT_EQ(RuntimeErrorText(216, address), "Runtime error 216 at $00000000004015A3");
  EXPECT_EQ(RuntimeErrorText(200, nullptr), "Runtime error 200 at $0000000000000000");
}

TEST(FatalErrorReport, SystemExceptionsMapToRuntimeErrorNumbers) {
  struct Case { DWORD exception; int error; };
  const Case cases[] = {
      {EXCEPTION_ACCESS_VIOLATION, 216},   {EXCEPTION_INT_DIVIDE_BY_ZERO, 200},
      {EXCEPTION_STACK_OVERFLOW, 202},     {EXCEPTION_FLT_INVALID_OPERATION, 207},
      {EXCEPTION_FLT_OVERFLOW, 205},       {EXCEPTION_PRIV_INSTRUCTION, 218},
      {0xE0000001, 217},
  };
  for (const Case& c : cases) EXPECT_EQ(RuntimeErrorNumber(c.exception), c.error) << std::hex << c.exception;
}

}  // namespace
}  // namespace lobrin
