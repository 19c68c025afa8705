// What Windows reads from lobrin.exe and lobrin-calc.exe before it runs
// them: the version resource, as Explorer's properties show it, and the
// application manifest, as the loader reads it.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "process.h"

namespace lobrin::gui {
namespace {

struct Exe {
  std::string path;  // Windows path
  const char* originalFilename;
  const char* description;
};

// The exes of this build.
std::vector<Exe> Exes() {
  return {{WindowsPathOf(LOBRIN_EXE_PATH), "lobrin.exe", "Lobrin stacking distance calculator"},
          {WindowsPathOf(LOBRIN_CALC_EXE_PATH), "lobrin-calc.exe",
           "Lobrin stacking distance calculator, command line"}};
}

// The version resource of `path` as GetFileVersionInfoA reads it; empty when there is none.
std::vector<char> VersionInfoOf(const std::string& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  std::vector<char> info(size);
  if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, info.data())) {
    info.clear();
  }
  return info;
}

// One string of the US English, Unicode string table; "<none>" when absent.
std::string StringValue(std::vector<char>& info, const std::string& name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string key = "\\StringFileInfo\\040904B0\\" + name;
  if (!VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0) {
    return "<none>";
  }
  return std::string(value, length - 1);
}

TEST(ExeIdentityTest, VersionResourceNamesLobrinAndItsVersion) {
  for (const Exe& exe : Exes()) {
    std::vector<char> info = VersionInfoOf(exe.path);
    ASSERT_FALSE(info.empty()) << exe.path << ": no version resource";
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    // 1.05 is major 1, minor 5: the number Windows compares when it upgrades.
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(5, 1)) << exe.path;
    EXPECT_EQ(fixed->dwFileVersionLS, 0u) << exe.path;
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(5, 1)) << exe.path;
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP)) << exe.path;

    const std::pair<const char*, std::string> expected[] = {
        {"FileVersion", "1.05"},
        {"ProductVersion", "1.05"},
        {"ProductName", "Lobrin"},
        {"FileDescription", exe.description},
        {"OriginalFilename", exe.originalFilename},
        {"CompanyName", "The Lobrin authors"},
    };
    for (const auto& [name, value] : expected) {
      EXPECT_EQ(StringValue(info, name), value) << exe.path << ": " << name;
    }
  }
}

// The text of the exe's RT_MANIFEST resource 1; "<none>" when absent.
std::string ManifestOf(const std::string& path) {
  HMODULE module =
      LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr) {
    return "<none>";
  }
  std::string text = "<none>";
  HRSRC found = FindResourceA(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  if (loaded != nullptr) {
    text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
  }
  FreeLibrary(module);
  return text;
}

TEST(ExeIdentityTest, ManifestRunsAsInvokerOnWindows7To11WithTheClassicControls) {
  const char* const kSupportedOs[] = {
      "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
      "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // Windows 8
      "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // Windows 8.1
      "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
  };
  for (const Exe& exe : Exes()) {
    const std::string manifest = ManifestOf(exe.path);
    ASSERT_NE(manifest, "<none>") << exe.path << ": no RT_MANIFEST resource 1";
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << exe.path;
    for (const char* os : kSupportedOs) {
      EXPECT_NE(manifest.find(os), std::string::npos) << exe.path << ": " << os;
    }
    // Common Controls 6 would change how buttons and edits draw; DPI
    // awareness would leave the fixed-pixel layout unscaled.
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos) << exe.path;
    EXPECT_EQ(manifest.find("dpiAware"), std::string::npos) << exe.path;

    // The loader must be able to read it: an activation context made from it.
    ACTCTXA context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = exe.path.c_str();
    context.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    HANDLE activation = CreateActCtxA(&context);
    EXPECT_NE(activation, INVALID_HANDLE_VALUE) << exe.path << ": error " << GetLastError();
    if (activation != INVALID_HANDLE_VALUE) {
      ReleaseActCtx(activation);
    }
  }
}

}  // namespace
}  // namespace lobrin::gui
