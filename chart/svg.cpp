#include "chart/svg.h"

#include <cstdio>

namespace lobrin::chart {

namespace {

// A coordinate or a length with two decimals, enough for a hundredth of a pixel.
std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string shown = text;
  // "12.50" is "12.5", "12.00" is "12", "-0.00" is "0".
  shown.erase(shown.find_last_not_of('0') + 1);
  if (shown.back() == '.') {
    shown.pop_back();
  }
  return shown == "-0" ? "0" : shown;
}

std::string Colour(Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
  return text;
}

std::string StrokeAttributes(const Stroke& stroke) {
  std::string text =
      " stroke=\"" + Colour(stroke.colour) + "\" stroke-width=\"" + Number(stroke.width) + "\"";
  if (!stroke.dash.empty()) {
    text += " stroke-dasharray=\"";
    for (std::size_t i = 0; i < stroke.dash.size(); ++i) {
      text += (i > 0 ? " " : "") + Number(stroke.dash[i]);
    }
    text += "\"";
  }
  return text;
}

const char* AnchorName(Anchor anchor) {
  switch (anchor) {
    case Anchor::kStart: return "start";
    case Anchor::kMiddle: return "middle";
    case Anchor::kEnd: return "end";
  }
  return "start";
}

}  // namespace

std::string XmlEscaped(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&apos;"; break;
      default: escaped += c >= ' ' && c <= '~' ? c : '?'; break;
    }
  }
  return escaped;
}

std::string SvgOf(const Layout& layout) {
  const std::string width = Number(layout.width);
  const std::string height = Number(layout.height);
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + width + "\" height=\"" +
         height + "\" viewBox=\"0 0 " + width + " " + height +
         "\" font-family=\"DejaVu Sans, Verdana, Arial, sans-serif\">\n";
  svg += "<rect x=\"0\" y=\"0\" width=\"" + width + "\" height=\"" + height + "\" fill=\"" +
         Colour(layout.background) + "\"/>\n";
  for (const Rectangle& r : layout.rectangles) {
    svg += "<rect x=\"" + Number(r.box.left) + "\" y=\"" + Number(r.box.top) + "\" width=\"" +
           Number(r.box.right - r.box.left) + "\" height=\"" + Number(r.box.bottom - r.box.top) +
           "\" fill=\"" + (r.fill ? Colour(*r.fill) : "none") + "\"" +
           (r.outline ? StrokeAttributes(*r.outline) : "") + "/>\n";
  }
  for (const Polyline& line : layout.lines) {
    svg += "<polyline fill=\"none\" stroke-linejoin=\"round\"" + StrokeAttributes(line.stroke) + " points=\"";
    for (std::size_t i = 0; i < line.points.size(); ++i) {
      svg += (i > 0 ? " " : "") + Number(line.points[i].x) + "," + Number(line.points[i].y);
    }
    svg += "\"/>\n";
  }
  for (const Marker& m : layout.markers) {
    const std::string paint = "\" fill=\"" + Colour(m.fill) + "\" stroke=\"#ffffff\" stroke-width=\"1\"/>\n";
    if (m.shape == MarkerShape::kCircle) {
      svg += "<circle cx=\"" + Number(m.centre.x) + "\" cy=\"" + Number(m.centre.y) + "\" r=\"" +
             Number(m.size / 2.0) + paint;
    } else {
      svg += "<rect x=\"" + Number(m.centre.x - m.size / 2.0) + "\" y=\"" +
             Number(m.centre.y - m.size / 2.0) + "\" width=\"" + Number(m.size) + "\" height=\"" +
             Number(m.size) + paint;
    }
  }
  for (const Label& label : layout.labels) {
    const std::string x = Number(label.at.x);
    const std::string y = Number(label.at.y);
    svg += "<text x=\"";
    svg += x;
    svg += "\" y=\"";
    svg += y;
    svg += "\" font-size=\"" + Number(label.size) + "\" text-anchor=\"" + AnchorName(label.anchor) +
           "\" fill=\"" + Colour(label.colour) + "\"";
    if (label.bold) {
      svg += " font-weight=\"bold\"";
    }
    if (label.upright) {
      svg += " transform=\"rotate(-90 ";
      svg += x;
      svg += " ";
      svg += y;
      svg += ")\"";
    }
    svg += ">" + XmlEscaped(label.text) + "</text>\n";
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace lobrin::chart
