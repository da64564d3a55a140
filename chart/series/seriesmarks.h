// The marks of a series: the small texts that can stand at its points. They are hidden
// in this program; what is kept is their on/off switch and the positions and texts a
// series may have stored, which clearing the series empties.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vadidazid {

struct TMarkPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const TMarkPoint&, const TMarkPoint&) = default;
};

// A mark's position as it is stored with a series' data.
struct TSeriesMarkPosition {
  TMarkPoint arrowFrom;
  bool arrowFixed = false;
  TMarkPoint arrowTo;
  bool custom = false;  // placed by hand
  int32_t height = 0;
  TMarkPoint leftTop;
  int32_t width = 0;
  friend bool operator==(const TSeriesMarkPosition&, const TSeriesMarkPosition&) = default;
};

class TSeriesMarks {
 public:
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }

  std::vector<TSeriesMarkPosition>& Positions() { return positions_; }
  const std::vector<TSeriesMarkPosition>& Positions() const { return positions_; }
  std::vector<std::string>& Texts() { return texts_; }

  bool HasCustomPositions() const;
  void Clear();

 private:
  bool visible_ = true;
  std::vector<TSeriesMarkPosition> positions_;
  std::vector<std::string> texts_;
};

}  // namespace vadidazid
