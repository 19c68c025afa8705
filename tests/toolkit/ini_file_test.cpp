// Ini file access on a temporary file, and the program directory.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "toolkit/ini_file.h"

namespace lobrin {
namespace {

class IniFileTest : public testing::Test {
 protected:
  void SetUp() override {
    char directory[MAX_PATH + 1] = {};
    char name[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathA(sizeof directory, directory), 0u);
    ASSERT_NE(GetTempFileNameA(directory, "lob", 0, name), 0u);
    path_ = name;
    ini_ = MakeIniFile(path_);
  }
  void TearDown() override {
    if (ini_ != nullptr) ini_->Free();
    DeleteFileA(path_.c_str());
  }
  std::string Stored(const char* section, const char* key) const {
    char buffer[64] = {};
    GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof buffer, path_.c_str());
    return buffer;
  }

  std::string path_;
  TIniFile* ini_ = nullptr;
};

TEST_F(IniFileTest, AbsentKeyOrFileGivesTheValuePassedIn) {
  ini_->SetSection("Position");
  EXPECT_EQ(ini_->IntegerValue("Left", 123), 123);
  EXPECT_EQ(ini_->IntegerValue("Left", -7), -7);
  TIniFile* missing = MakeIniFile(path_ + ".absent");
  missing->SetSection("Position");
  EXPECT_EQ(missing->IntegerValue("Left", 42), 42);
  missing->Free();
}

TEST_F(IniFileTest, WrittenValuesAreStoredAsDecimalTextAndReadBack) {
  const std::int32_t values[] = {-5, 0, 654, 2147483647, -2147483647};
  ini_->SetSection("Position");
  for (std::int32_t value : values) {
    ini_->SetMode(7);  // any mode but kIniRead writes
    EXPECT_EQ(ini_->IntegerValue("Left", value), value);
    EXPECT_EQ(Stored("Position", "Left"), std::to_string(value));
    ini_->SetMode(kIniRead);
    EXPECT_EQ(ini_->IntegerValue("Left", 99), value);
  }
}

TEST_F(IniFileTest, EmptySectionIsASectionOfItsOwn) {
  // An empty section must not be taken as "no section" (which would delete or
  // list sections instead of touching one key).
  ini_->SetSection("Keep");
  ini_->SetMode(kIniWrite);
  ini_->IntegerValue("Width", 400);
  ini_->SetSection("");
  ini_->IntegerValue("Width", 8);
  ini_->SetMode(kIniRead);
  EXPECT_EQ(ini_->IntegerValue("Width", -1), 8);
  EXPECT_EQ(ini_->IntegerValue("", -1), -1);
  ini_->SetSection("Keep");
  EXPECT_EQ(ini_->IntegerValue("Width", -1), 400);
}

TEST(ProgramDirectory, CutsAfterTheLastBackslash) {
  struct Case {
    const char* path;
    const char* directory;
  };
  const Case cases[] = {
      {"C:\\Programs\\Lobrin\\lobrin.exe", "C:\\Programs\\Lobrin\\"},
      {"C:\\lobrin.exe", "C:\\"},
      {"lobrin.exe", "lobrin.exe"},  // no backslash: the whole path
      {"C:\\dir\\", "C:\\dir\\"},
      {"\\", "\\"},
      {"", ""},
      {"C:/unix/style.exe", "C:/unix/style.exe"},
  };
  for (const Case& c : cases) EXPECT_EQ(DirectoryOfPath(c.path), c.directory) << c.path;
}

TEST(ProgramDirectory, HoldsTheRunningProgram) {
  char module[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  const std::string directory = ProgramDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.back(), '\\');
  EXPECT_EQ(std::string(module).compare(0, directory.size(), directory), 0);
  EXPECT_EQ(std::string(module).find('\\', directory.size()), std::string::npos);
}

}  // namespace
}  // namespace lobrin
