// Toolkit font names and heights onto Qt fonts (see fonts.h).
#include "platform/qt/fonts.h"

#include <QFontMetricsF>
#include <QStringList>
#include <cmath>
#include <map>
#include <utility>

namespace vadidazid {

namespace {

constexpr int kDefaultEmPixels = 11;
// Large enough that the measured cell-to-em ratio is not spoilt by rounding.
constexpr int kProbePixels = 200;

struct FamilyMapping {
  const char* toolkitName;
  const char* family;
};

constexpr FamilyMapping kFamilies[] = {
    {"ms sans serif", "Liberation Sans"},    {"arial", "Liberation Sans"},
    {"tahoma", "Liberation Sans"},           {"verdana", "Liberation Sans"},
    {"times new roman", "Liberation Serif"}, {"courier new", "Liberation Mono"},
    {"lucida console", "Liberation Mono"},
};

void ApplyFixedRendering(QFont& f) {
  f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setKerning(false);
}

int CellHeightAt(const QString& family, int em) {
  QFont probe(family);
  probe.setPixelSize(em);
  ApplyFixedRendering(probe);
  return CellOf(probe).Height();
}

// The largest em whose cell is no taller than the height asked for (at least 1),
// starting from an estimate at a large size and settled by measuring.
int EmForCell(const QString& family, int cellHeight) {
  static std::map<std::pair<QString, int>, int> cache;
  const auto key = std::make_pair(family, cellHeight);
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  const double ratio = double(CellHeightAt(family, kProbePixels)) / kProbePixels;
  int em = std::max(1, int(std::lround(cellHeight / (ratio > 0.5 ? ratio : 1.15))));
  while (em > 1 && CellHeightAt(family, em) > cellHeight) --em;
  while (em < cellHeight && CellHeightAt(family, em + 1) <= cellHeight) ++em;
  cache.emplace(key, em);
  return em;
}

}  // namespace

QString MapFontFamily(const std::string& toolkitName) {
  QString key = QString::fromStdString(toolkitName).trimmed().toLower();
  for (const FamilyMapping& m : kFamilies) {
    if (key == QLatin1String(m.toolkitName)) return QString::fromLatin1(m.family);
  }
  return QStringLiteral("Liberation Sans");
}

QFont ToQFont(const TFont& font) {
  QString family = MapFontFamily(font.name);
  QFont f(family);
  f.setFamilies(QStringList{family});
  int em = kDefaultEmPixels;
  if (font.height < 0) {
    em = -font.height;
  } else if (font.height > 0) {
    em = EmForCell(family, font.height);
  }
  f.setPixelSize(em);
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikeOut);
  ApplyFixedRendering(f);
  return f;
}

QFont ForDevicePixelRatio(QFont font, double ratio) {
  if (ratio != 1.0) font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

FontCell CellOf(const QFont& font) {
  const QFontMetricsF m(font);
  // A hair below the next integer still counts as that integer: the engine's 26.6 fixed
  // point values come back as doubles with rounding noise.
  auto up = [](double v) { return int(std::ceil(v - 1.0 / 128)); };
  return {up(m.ascent()), up(m.descent())};
}

}  // namespace vadidazid
