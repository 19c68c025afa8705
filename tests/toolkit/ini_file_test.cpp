// Ini file access on a temporary file, and the program directory.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "toolkit/ini_file.h"

namespace lobrin {
namespace {

TEST(IniFile, ValuesAreDecimalTextAndAnEmptySectionIsASectionOfItsOwn) {
  char directory[MAX_PATH + 1] = {}, path[MAX_PATH + 1] = {};
  GetTempPathA(sizeof directory, directory);
  ASSERT_NE(GetTempFileNameA(directory, "lob", 0, path), 0u);
  TIniFile* ini = MakeIniFile(path);
  ini->SetSection("Position");
  EXPECT_EQ(ini->IntegerValue("Left", -7), -7) << "absent: the value passed in";
  ini->SetMode(7);  // any mode but kIniRead writes
  EXPECT_EQ(ini->IntegerValue("Left", -2147483647), -2147483647);
  char stored[64] = {};
  GetPrivateProfileStringA("Position", "Left", "<none>", stored, sizeof stored, path);
  EXPECT_STREQ(stored, "-2147483647");
  // Taken as "no section", an empty one would delete or list sections instead.
  ini->SetSection("");
  ini->IntegerValue("Left", 8);
  ini->SetMode(kIniRead);
  EXPECT_EQ(ini->IntegerValue("Left", 99), 8);
  EXPECT_EQ(ini->IntegerValue("", -1), -1);
  ini->SetSection("Position");
  EXPECT_EQ(ini->IntegerValue("Left", 99), -2147483647);
  ini->Free();
  DeleteFileA(path);
}

TEST(ProgramDirectory, CutsAfterTheLastBackslash) {
  const std::pair<const char*, const char*> rows[] = {
      {"C:\\Programs\\Lobrin\\lobrin.exe", "C:\\Programs\\Lobrin\\"},
      {"C:\\dir\\", "C:\\dir\\"},
      {"C:/unix/style.exe", "C:/unix/style.exe"},
      {"", ""},
  };
  for (const auto& [path, directory] : rows) {
    EXPECT_EQ(DirectoryOfPath(path), directory) << path;
  }
  char module[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  EXPECT_EQ(ProgramDirectory(), DirectoryOfPath(module));
}

}  // namespace
}  // namespace lobrin
