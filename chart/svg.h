#pragma once
// A chart's layout written as an SVG document: each shape of the layout in
// its order, nothing computed here. Standalone SVG 1.1, well-formed XML
// with every text escaped, one element a line, on a white background.

#include <string>

#include "chart/chart_layout.h"

namespace lobrin::chart {

// The SVG document of `layout`, ended by a line end.
std::string SvgOf(const Layout& layout);

// `text` with &, <, >, " and ' written as XML entities, and every byte below
// 0x20 (other than none: a label holds one line) or above 0x7E as "?", so the
// document is ASCII and well-formed whatever the text.
std::string XmlEscaped(const std::string& text);

}  // namespace lobrin::chart
