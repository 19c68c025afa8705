// Keeping the main form's position and size between runs: in the registry
// under HKEY_CURRENT_USER\Software\<key>, or in an ini file next to the program.

#include <cstring>

#include "elements/win/main_form.h"
#include "toolkit/ini_file.h"

namespace lobrin {

namespace {

const char kIniMarker[] = ".ini\\";
constexpr std::size_t kIniMarkerLength = sizeof kIniMarker - 1;

// The four values in the order the registry keeps them, each with the
// control's getter and setter.
struct PositionValue {
  const char* name;
  int (*get)(TControl*);
  void (*set)(TControl*, int);
};
constexpr PositionValue kPositionValues[] = {
    {"Left", &ControlLeft, &SetControlLeft},
    {"Top", &ControlTop, &SetControlTop},
    {"Height", &ControlHeight, &SetControlHeight},
    {"Width", &ControlWidth, &SetControlWidth},
};

// The ini file keeps Width before Height.
constexpr PositionValue kIniValues[] = {
    {"Left", &ControlLeft, &SetControlLeft},
    {"Top", &ControlTop, &SetControlTop},
    {"Width", &ControlWidth, &SetControlWidth},
    {"Height", &ControlHeight, &SetControlHeight},
};

}  // namespace

void THIMainForm::StorePositionInRegistry(bool save) {
  if (control == nullptr || controlGone) {
    return;
  }
  const std::string path = "Software\\" + positionKey;
  HKEY key = nullptr;
  if (save) {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
      return;
    }
    for (const PositionValue& value : kPositionValues) {
      DWORD number = static_cast<DWORD>(value.get(control));
      RegSetValueExA(key, value.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    }
  } else {
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return;
    }
    for (const PositionValue& value : kPositionValues) {
      // Each query gets the whole 4-byte buffer; a longer value fails with
      // ERROR_MORE_DATA and is left alone, a shorter one reads as a smaller number.
      std::int32_t number = 0;
      DWORD size = sizeof number;
      if (RegQueryValueExA(key, value.name, nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size) ==
          ERROR_SUCCESS) {
        value.set(control, number);
      }
    }
  }
  RegCloseKey(key);
}

void THIMainForm::StorePositionInIni(bool save) {
  if (control == nullptr || controlGone) {
    return;
  }
  const std::size_t marker = positionKey.find(kIniMarker);
  if (marker == std::string::npos) {
    return;
  }
  // The key up to and including ".ini" names the file; what follows ".ini\" the section.
  TIniFile* ini = MakeIniFile(ProgramDirectory() + positionKey.substr(0, marker + 4));
  ini->SetSection(positionKey.substr(marker + kIniMarkerLength));
  ini->SetMode(save ? kIniWrite : kIniRead);
  for (const PositionValue& value : kIniValues) {
    std::int32_t number = ini->IntegerValue(value.name, value.get(control));
    if (!save) {
      value.set(control, number);
    }
  }
  ini->Free();
}

}  // namespace lobrin
