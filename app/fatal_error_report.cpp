#include "app/fatal_error_report.h"

#include <cstdint>
#include <cstdio>
#include <new>

namespace lobrin {
namespace {

struct ExceptionErrorRow {
  DWORD exceptionCode;
  int errorNumber;
};

// One row a line (clang-format would set two side by side).
// clang-format off
constexpr ExceptionErrorRow kExceptionErrors[] = {
    {EXCEPTION_INT_DIVIDE_BY_ZERO, 200},
    {EXCEPTION_FLT_DIVIDE_BY_ZERO, 200},
    {EXCEPTION_ARRAY_BOUNDS_EXCEEDED, 201},
    {EXCEPTION_STACK_OVERFLOW, 202},
    {EXCEPTION_FLT_OVERFLOW, 205},
    {EXCEPTION_FLT_UNDERFLOW, 206},
    {EXCEPTION_FLT_INVALID_OPERATION, 207},
    {EXCEPTION_FLT_STACK_CHECK, 207},
    {EXCEPTION_FLT_DENORMAL_OPERAND, 207},
    {EXCEPTION_FLT_INEXACT_RESULT, 207},
    {EXCEPTION_INT_OVERFLOW, 215},
    {EXCEPTION_ACCESS_VIOLATION, 216},
    {EXCEPTION_IN_PAGE_ERROR, 216},
    {EXCEPTION_PRIV_INSTRUCTION, 218},
    {EXCEPTION_ILLEGAL_INSTRUCTION, 217},
};
// clang-format on
constexpr int kUnknownExceptionError = 217;
constexpr int kOutOfMemoryError = 203;

[[noreturn]] void ReportAndExit(int errorNumber, const void* address) {
  std::string text = RuntimeErrorText(errorNumber, address);
  MessageBoxA(nullptr, text.c_str(), "Error", MB_OK | MB_TASKMODAL);
  ExitProcess(static_cast<UINT>(errorNumber));
}

LONG WINAPI ReportUnhandledException(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* record = info ? info->ExceptionRecord : nullptr;
  DWORD code = record ? record->ExceptionCode : 0;
  const void* address = record ? record->ExceptionAddress : nullptr;
  ReportAndExit(RuntimeErrorNumber(code), address);
}

void ReportOutOfMemory() { ReportAndExit(kOutOfMemoryError, __builtin_return_address(0)); }

}  // namespace

int RuntimeErrorNumber(DWORD exceptionCode) {
  for (const ExceptionErrorRow& row : kExceptionErrors) {
    if (row.exceptionCode == exceptionCode) {
      return row.errorNumber;
    }
  }
  return kUnknownExceptionError;
}

std::string RuntimeErrorText(int errorNumber, const void* address) {
  char text[64];
  std::snprintf(text, sizeof text, "Runtime error %d at $%0*llX", errorNumber,
                static_cast<int>(sizeof(void*) * 2),
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(address)));
  return text;
}

void InstallFatalErrorReport() {
  SetUnhandledExceptionFilter(&ReportUnhandledException);
  std::set_new_handler(&ReportOutOfMemory);
}

}  // namespace lobrin
