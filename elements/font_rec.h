#pragma once
// A font as the elements describe it: what the form writes for every windowed
// element, and what the hint manager uses for its tips.

#include <cstdint>
#include <string>

namespace lobrin {

// Style bits of TFontRec::style; higher bits are ignored.
enum FontStyleBits : std::uint8_t {
  kFontBold = 0x1,
  kFontItalic = 0x2,
  kFontUnderline = 0x4,
  kFontStrikeOut = 0x8,
};
constexpr std::uint8_t kFontStyleMask = 0x0F;

// A colour value with this bit set names the system colour whose index is its
// low byte; any other value is an RGB value with red in the low byte.
constexpr std::uint32_t kSystemColourFlag = 0x80000000u;

struct TFontRec {
  std::string name;              // owned face name, e.g. "MS Sans Serif"
  std::uint8_t size = 0;         // points
  std::uint8_t style = 0;        // FontStyleBits
  std::uint32_t colour = 0;      // text colour (colour value encoding above)
  std::uint8_t charset = 0;      // 1 = the platform's default character set
};

}  // namespace lobrin
