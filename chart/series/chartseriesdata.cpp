// The stored "Data" block of a series: a flag byte, a little-endian point count, then
// per point the X value (only when the X values are not simply 0, 1, 2, ...), the Y
// value, the colour and the label (each only when some point has one) and the mark
// position (only when one was placed by hand). Labels are Windows-1250 bytes behind a
// length byte. The reader checks every length against the block, so a damaged block
// is reported instead of being read past its end.
#include <algorithm>
#include <bit>

#include "chart/panel/chartexception.h"
#include "chart/series/chartseries.h"
#include "platform/text/cp1250.h"

namespace vadidazid {

namespace {

constexpr uint8_t kHasX = 1;
constexpr uint8_t kHasColors = 2;
constexpr uint8_t kHasLabels = 4;
constexpr uint8_t kHasMarkPositions = 8;

// How many leading points the writer looks at to decide which parts to store.
constexpr int kScanPoints = 10001;
constexpr int kLabelScanPoints = 101;

class DataReader {
 public:
  DataReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}

  bool AtEnd() const { return pos_ == size_; }

  const uint8_t* Take(size_t n) {
    if (size_ - pos_ < n) throw EChartException("Series Data: the stored data is truncated.");
    const uint8_t* p = bytes_ + pos_;
    pos_ += n;
    return p;
  }
  uint8_t Byte() { return *Take(1); }
  uint32_t UInt32() {
    const uint8_t* p = Take(4);
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  }
  int32_t Int32() { return static_cast<int32_t>(UInt32()); }
  double Double() {
    const uint8_t* p = Take(8);
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | p[i];
    return std::bit_cast<double>(bits);
  }
  TMarkPoint Point() {
    TMarkPoint point;
    point.x = Int32();
    point.y = Int32();
    return point;
  }

 private:
  const uint8_t* bytes_;
  size_t size_;
  size_t pos_ = 0;
};

class DataWriter {
 public:
  void Byte(uint8_t b) { bytes_.push_back(b); }
  void UInt32(uint32_t v) {
    for (int i = 0; i < 4; ++i) Byte(static_cast<uint8_t>(v >> (8 * i)));
  }
  void Int32(int32_t v) { UInt32(static_cast<uint32_t>(v)); }
  void Double(double d) {
    const uint64_t bits = std::bit_cast<uint64_t>(d);
    for (int i = 0; i < 8; ++i) Byte(static_cast<uint8_t>(bits >> (8 * i)));
  }
  void Point(const TMarkPoint& p) {
    Int32(p.x);
    Int32(p.y);
  }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

// Restores the update nesting also when reading fails half-way.
class UpdateScope {
 public:
  explicit UpdateScope(TChartSeries& series) : series_(series) { series_.BeginUpdate(); }
  ~UpdateScope() { series_.EndUpdate(); }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

 private:
  TChartSeries& series_;
};

}  // namespace

void TChartSeries::ReadData(const uint8_t* bytes, size_t size) {
  Clear();
  DataReader in(bytes, size);
  const uint8_t flags = in.Byte();
  // A negative count stores no points: the block is read as an empty series, not refused,
  // so a chart saved with it still loads.
  const int32_t count = in.Int32();
  {
    UpdateScope update(*this);
    for (int32_t k = 0; k < count; ++k) {
      double x = (flags & kHasX) ? in.Double() : k;
      double y = in.Double();
      const TColor color = (flags & kHasColors) ? in.UInt32() : clAutoColor;
      std::string label;
      if (flags & kHasLabels) {
        const uint8_t length = in.Byte();
        const uint8_t* text = in.Take(length);
        label = Cp1250ToUtf8(std::string_view(reinterpret_cast<const char*>(text), length));
      }
      for (size_t i = 2; i < valuesList_.size(); ++i) valuesList_[i]->SetTempValue(in.Double());
      if (!isVertical_) std::swap(x, y);
      AddXY(x, y, label, color);
      if (flags & kHasMarkPositions) {
        TSeriesMarkPosition position;
        position.arrowFrom = in.Point();
        position.arrowFixed = in.Byte() != 0;
        position.arrowTo = in.Point();
        position.custom = in.Byte() != 0;
        position.height = in.Int32();
        position.leftTop = in.Point();
        position.width = in.Int32();
        marks_.Positions().push_back(position);
      }
    }
    if (!in.AtEnd()) throw EChartException("Series Data: unexpected bytes after the last point.");
  }
  dataEntered_ = true;
}

std::vector<uint8_t> TChartSeries::WriteData() {
  TChartValueList& position = PositionValues();
  TChartValueList& mandatory = MandatoryValues();
  const int count = Count();
  const int scan = std::min(count, kScanPoints);

  uint8_t flags = 0;
  if (count > 0) {
    bool sequence = position.First() == 0 && position.Last() == count - 1;
    for (int k = 0; sequence && k < scan; ++k) sequence = position.Value(k) == k;
    if (!sequence) flags |= kHasX;
  }
  if (colors_) {
    const int n = std::min(scan, static_cast<int>(colors_->size()));
    for (int k = 0; k < n; ++k) {
      const TColor c = (*colors_)[k];
      if (c != clAutoColor && c != SeriesColor()) {
        flags |= kHasColors;
        break;
      }
    }
  }
  for (int k = 0; k < std::min(count, kLabelScanPoints); ++k) {
    if (!XLabel(k).empty()) {
      flags |= kHasLabels;
      break;
    }
  }
  if (marks_.HasCustomPositions()) flags |= kHasMarkPositions;

  DataWriter out;
  out.Byte(flags);
  out.Int32(count);
  const auto& positions = marks_.Positions();
  for (int k = 0; k < count; ++k) {
    if (flags & kHasX) out.Double(position.Value(k));
    out.Double(mandatory.Value(k));
    if (flags & kHasColors)
      out.UInt32(k < static_cast<int>(colors_->size()) ? (*colors_)[k] : clAutoColor);
    if (flags & kHasLabels) {
      std::string text = Utf8ToCp1250(XLabel(k));
      // One length byte: longer labels keep their first 255 bytes.
      if (text.size() > 255) text.resize(255);
      out.Byte(static_cast<uint8_t>(text.size()));
      for (char c : text) out.Byte(static_cast<uint8_t>(c));
    }
    for (size_t i = 2; i < valuesList_.size(); ++i) out.Double(valuesList_[i]->Value(k));
    if (flags & kHasMarkPositions) {
      const TSeriesMarkPosition p =
          k < static_cast<int>(positions.size()) ? positions[k] : TSeriesMarkPosition{};
      out.Point(p.arrowFrom);
      out.Byte(p.arrowFixed ? 1 : 0);
      out.Point(p.arrowTo);
      out.Byte(p.custom ? 1 : 0);
      out.Int32(p.height);
      out.Point(p.leftTop);
      out.Int32(p.width);
    }
  }
  return out.Take();
}

}  // namespace vadidazid
