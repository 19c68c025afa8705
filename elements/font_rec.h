#pragma once
// A font as the elements describe it: what the form writes for every windowed
// element, and what the hint manager uses for its tips.

#include <cstdint>
#include <string>

#include "toolkit/graphic_tool.h"  // kFontBold.., colour values

namespace lobrin {

struct TFontRec {
  std::string name;          // owned face name, e.g. "MS Sans Serif"
  std::uint8_t size = 0;     // points
  std::uint8_t style = 0;    // kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut
  std::uint32_t colour = 0;  // text colour; a colour value (see ResolveColour)
  std::uint8_t charset = 0;  // 1 = the platform's default character set
};

}  // namespace lobrin
