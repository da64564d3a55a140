// Reads the drawing elements back out of an SVG document the program wrote, with the box
// of pixels each covers, so tests can set a vector picture against a raster one.
#pragma once

#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "platform/drawing/canvas.h"

namespace vadidazid {

inline double SvgNumber(const std::string& text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

struct SvgElement {
  std::string tag;
  std::map<std::string, std::string> attributes;
  std::optional<TRect> clip;
  double Number(const std::string& name) const {
    const auto it = attributes.find(name);
    return it == attributes.end() ? 0.0 : SvgNumber(it->second);
  }
  bool Has(const std::string& name) const { return attributes.count(name) != 0; }
  const std::string& Text(const std::string& name) const { return attributes.at(name); }
};

// The drawing elements in document order, each with the clip rectangle of the group it
// stands in (the rectangle of a clip path is not an element).
inline std::vector<SvgElement> SvgElements(const std::string& document) {
  static const std::regex token(
      R"(<clipPath[^>]*><rect\s([^>]*?)/></clipPath>|<g clip-path[^>]*>|</g>|<(line|rect|ellipse|polyline|polygon|text)\s([^>]*?)/?>)");
  static const std::regex attribute(R"(([\w:-]+)="([^"]*)\")");
  auto attributesOf = [](const std::string& text) {
    std::map<std::string, std::string> found;
    for (auto a = std::sregex_iterator(text.begin(), text.end(), attribute);
         a != std::sregex_iterator(); ++a) {
      found[(*a)[1]] = (*a)[2];
    }
    return found;
  };
  std::vector<SvgElement> found;
  std::optional<TRect> pendingClip, clip;
  for (auto it = std::sregex_iterator(document.begin(), document.end(), token);
       it != std::sregex_iterator(); ++it) {
    const std::string whole = (*it)[0];
    if (whole.rfind("<clipPath", 0) == 0) {
      const SvgElement r{"rect", attributesOf((*it)[1]), {}};
      pendingClip =
          TRect{int(r.Number("x")), int(r.Number("y")), int(r.Number("x") + r.Number("width")),
                int(r.Number("y") + r.Number("height"))};
    } else if (whole.rfind("<g", 0) == 0) {
      clip = pendingClip;
    } else if (whole == "</g>") {
      clip.reset();
    } else {
      found.push_back({(*it)[2], attributesOf((*it)[3]), clip});
    }
  }
  return found;
}

// The pixels an element's fill and stroke reach: its geometry grown by half the stroke
// (square caps on open lines), rounded out to whole pixels. Clip groups are not applied.
inline TRect SvgElementBox(const SvgElement& e) {
  const bool stroked = e.Has("stroke") && e.Text("stroke") != "none";
  const double half = stroked ? (e.Has("stroke-width") ? e.Number("stroke-width") : 1) / 2 : 0;
  double l = 1e9, t = 1e9, r = -1e9, b = -1e9;
  auto take = [&](double x, double y) {
    l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
  };
  if (e.tag == "line") {
    take(e.Number("x1"), e.Number("y1"));
    take(e.Number("x2"), e.Number("y2"));
  } else if (e.tag == "rect") {
    take(e.Number("x"), e.Number("y"));
    take(e.Number("x") + e.Number("width"), e.Number("y") + e.Number("height"));
  } else if (e.tag == "ellipse") {
    take(e.Number("cx") - e.Number("rx"), e.Number("cy") - e.Number("ry"));
    take(e.Number("cx") + e.Number("rx"), e.Number("cy") + e.Number("ry"));
  } else if (e.tag == "polyline" || e.tag == "polygon") {
    static const std::regex pair(R"(([-\d.]+),([-\d.]+))");
    const std::string& points = e.Text("points");
    for (auto p = std::sregex_iterator(points.begin(), points.end(), pair);
         p != std::sregex_iterator(); ++p) {
      take(SvgNumber((*p)[1]), SvgNumber((*p)[2]));
    }
  }
  return {int(std::floor(l - half + 1e-9)), int(std::floor(t - half + 1e-9)),
          int(std::ceil(r + half - 1e-9)), int(std::ceil(b + half - 1e-9))};
}

}  // namespace vadidazid
