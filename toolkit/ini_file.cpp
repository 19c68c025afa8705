#include "toolkit/ini_file.h"

#include <windows.h>

#include "toolkit/number_text.h"

namespace lobrin {

namespace {
constexpr DWORD kModulePathBuffer = MAX_PATH + 1;  // 261 bytes
}  // namespace

TIniFile* MakeIniFile(const std::string& file_name) { return new TIniFile(file_name); }

std::int32_t TIniFile::IntegerValue(const std::string& key, std::int32_t value) {
  // c_str() of an empty text is "", never null: the functions must not mistake
  // an empty section or key for "all sections" or "delete".
  if (mode_ == kIniRead) {
    const UINT read = GetPrivateProfileIntA(section_.c_str(), key.c_str(), value, file_name_.c_str());
    return static_cast<std::int32_t>(read);
  }
  WritePrivateProfileStringA(section_.c_str(), key.c_str(), IntegerToText(value).c_str(), file_name_.c_str());
  return value;
}

std::string DirectoryOfPath(const std::string& path) {
  const std::size_t backslash = path.rfind('\\');
  if (backslash == std::string::npos) {
    return path;
  }
  return path.substr(0, backslash + 1);
}

std::string ProgramDirectory() {
  char buffer[kModulePathBuffer] = {};
  // One byte stays back, so that even a truncated path ends in a zero.
  const DWORD length = GetModuleFileNameA(nullptr, buffer, kModulePathBuffer - 1);
  return DirectoryOfPath(std::string(buffer, length < kModulePathBuffer ? length : 0));
}

}  // namespace lobrin
