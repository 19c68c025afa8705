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
    char directory[MAX_PATH + 1] = {}, name[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathA(sizeof directory, directory), 0u);
    ASSERT_NE(GetTempFileNameA(directory, "lob", 0, name), 0u);
    path_ = name;
    ini_ = MakeIniFile(path_);
  }
  void TearDown() override {
    FreeAndNull(ini_);
    DeleteFileA(path_.c_str());
  }

  std::string path_;
  TIniFile* ini_ = nullptr;
};

TEST_F(IniFileTest, ValuesAreStoredAsDecimalTextAndAbsentOnesGiveTheValuePassedIn) {
  ini_->SetSection("Position");
  EXPECT_EQ(ini_->IntegerValue("Left", -7), -7);
  TIniFile* missing = MakeIniFile(path_ + ".absent");
  missing->SetSection("Position");
  EXPECT_EQ(missing->IntegerValue("Left", 42), 42);
  missing->Free();
  for (std::int32_t value : {-5, 0, 654, 2147483647, -2147483647}) {
    ini_->SetMode(7);  // any mode but kIniRead writes
    EXPECT_EQ(ini_->IntegerValue("Left", value), value);
    char stored[64] = {};
    GetPrivateProfileStringA("Position", "Left", "<none>", stored, sizeof stored, path_.c_str());
    EXPECT_EQ(stored, std::to_string(value));
    ini_->SetMode(kIniRead);
    EXPECT_EQ(ini_->IntegerValue("Left", 99), value);
  }
}

TEST_F(IniFileTest, EmptySectionIsASectionOfItsOwn) {
  // Taken as "no section", it would delete or list sections instead.
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
  const std::pair<const char*, const char*> rows[] = {
      {"C:\\Programs\\Lobrin\\lobrin.exe", "C:\\Programs\\Lobrin\\"},
      {"C:\\lobrin.exe", "C:\\"}, {"lobrin.exe", "lobrin.exe"}, {"C:\\dir\\", "C:\\dir\\"},
      {"\\", "\\"}, {"", ""}, {"C:/unix/style.exe", "C:/unix/style.exe"},
  };
  for (const auto& [path, directory] : rows) EXPECT_EQ(DirectoryOfPath(path), directory) << path;
  char module[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  const std::string running = ProgramDirectory();
  ASSERT_FALSE(running.empty());
  EXPECT_EQ(running.back(), '\\');
  EXPECT_EQ(running, DirectoryOfPath(module));
}

}  // namespace
}  // namespace lobrin
