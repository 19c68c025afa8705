#pragma once
// TIniFile: integer values in a private-profile (ini) file. One call both reads
// and writes: the mode decides, so one sequence of calls serves loading and saving.

#include <cstdint>
#include <string>
#include <utility>

#include "toolkit/obj.h"

namespace lobrin {

constexpr std::uint8_t kIniRead = 0;
constexpr std::uint8_t kIniWrite = 1;  // any value other than kIniRead writes

class TIniFile : public TObj {
 public:
  explicit TIniFile(std::string file_name) : file_name_(std::move(file_name)) {}

  std::uint8_t Mode() const { return mode_; }
  void SetMode(std::uint8_t mode) { mode_ = mode; }
  const std::string& FileName() const { return file_name_; }
  const std::string& Section() const { return section_; }
  void SetSection(const std::string& section) { section_ = section; }

  // Read mode: the value under `key` in the current section, or `value` when it
  // is missing. Write mode: stores `value` as decimal text and returns it.
  std::int32_t IntegerValue(const std::string& key, std::int32_t value);

 protected:
  ~TIniFile() override = default;

 private:
  std::uint8_t mode_ = kIniRead;
  std::string file_name_;  // full path of the file
  std::string section_;
};

// An ini file object for `file_name` in read mode with an empty section.
TIniFile* MakeIniFile(const std::string& file_name);

// The directory of the running program, with its trailing backslash.
std::string ProgramDirectory();
// `path` cut right after its last backslash; a path without one is returned whole.
std::string DirectoryOfPath(const std::string& path);

}  // namespace lobrin
