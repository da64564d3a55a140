// Legend items, measuring, placing, drawing and hit testing.
#include "chart/legend/customchartlegend.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/teecanvas.h"
#include "chart/panel/chartexception.h"
#include "chart/panel/customchart.h"
#include "chart/series/chartseries.h"
#include "platform/text/formatfloat.h"

namespace vadidazid {

namespace {

// The platform's check box is 13 pixels square.
constexpr int kCheckBoxSize = 13;

// "text\x06rest" -> {"text", "rest"}; a second separator ends the second column.
std::array<std::string, 2> SplitColumns(const std::string& text) {
  const size_t first = text.find(kLegendColumnSeparator);
  if (first == std::string::npos) return {text, ""};
  const size_t second = text.find(kLegendColumnSeparator, first + 1);
  return {
      text.substr(0, first),
      text.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1)};
}

int RoundEven(double value) { return int(std::nearbyint(value)); }

}  // namespace

TCustomChartLegend::TCustomChartLegend(TCustomChart* chart)
    : TTeeCustomShapePosition(chart), chart_(chart) {
  Watch(dividingLines_);
  Watch(symbol_);
}

void TCustomChartLegend::SetFirstValue(int value) {
  if (value < 0) throw EChartException("Legend FirstValue must be zero or greater.");
  Store(firstValue_, value);
}

bool TCustomChartLegend::HasCheckBoxes() const {
  return checkBoxes_ && effectiveStyle_ != TLegendStyle::lsValues;
}

bool TCustomChartLegend::ShouldDraw() const {
  if (!Visible()) return false;
  if (checkBoxes_ && legendStyle_ != TLegendStyle::lsValues) return true;
  for (int i = 0; i < chart_->SeriesCount(); ++i)
    if (chart_->Series(i)->Active()) return true;
  return false;
}

bool TCustomChartLegend::GetVertical() const {
  return alignment_ == TLegendAlignment::laLeft || alignment_ == TLegendAlignment::laRight;
}

void TCustomChartLegend::CalcLegendStyle() {
  if (legendStyle_ != TLegendStyle::lsAuto) {
    effectiveStyle_ = legendStyle_;
  } else if (checkBoxes_) {
    effectiveStyle_ = TLegendStyle::lsSeries;
  } else {
    int active = 0;
    for (int i = 0; i < chart_->SeriesCount(); ++i)
      if (chart_->Series(i)->Active()) ++active;
    effectiveStyle_ = active >= 2 ? TLegendStyle::lsSeries : TLegendStyle::lsValues;
  }
}

std::vector<TChartSeries*> TCustomChartLegend::ListedSeries() const {
  std::vector<TChartSeries*> listed;
  const bool all = HasCheckBoxes();
  for (int i = 0; i < chart_->SeriesCount(); ++i) {
    TChartSeries* s = chart_->Series(i);
    if (s->ShowInLegend() && (all || s->Active())) listed.push_back(s);
  }
  return listed;
}

namespace {

// The first active series shown in the legend: the one a value legend lists.
TChartSeries* ValueSeries(const TCustomChart& chart) {
  for (int i = 0; i < chart.SeriesCount(); ++i) {
    TChartSeries* s = chart.Series(i);
    if (s->Active() && s->ShowInLegend()) return s;
  }
  return nullptr;
}

}  // namespace

std::string TCustomChartLegend::FormattedLegend(int index) const {
  if (effectiveStyle_ == TLegendStyle::lsValues || effectiveStyle_ == TLegendStyle::lsLastValues) {
    TChartSeries* s = ValueSeries(*chart_);
    if (!s || index < 0 || index >= s->Count()) return "";
    // A value legend shows the point's value and its label in two columns.
    return FormatFloat(s->ValueFormat(), s->YValue(index)) + kLegendColumnSeparator +
           s->XLabel(index);
  }
  const std::vector<TChartSeries*> listed = ListedSeries();
  if (index < 0 || index >= int(listed.size())) return "";
  return chart_->SeriesTitleLegend(chart_->IndexOfSeries(listed[index]));
}

int TCustomChartLegend::CalcItemHeight() const {
  int h = chart_->GetCanvas().FontHeight();
  if (HasCheckBoxes()) h = std::max(17, h);
  h += vertSpacing_;
  if (GetVertical() && dividingLines_.Visible()) h += dividingLines_.Width();
  return h;
}

int TCustomChartLegend::FrameWidth() const {
  if (Bevel() != TPanelBevel::bvNone) return BevelWidth();
  return Frame().Visible() ? Frame().Width() : 0;
}

void TCustomChartLegend::Measure() {
  TCanvas3D& canvas = chart_->GetCanvas();
  CalcLegendStyle();
  int available = 0;
  if (effectiveStyle_ == TLegendStyle::lsSeries) {
    available = int(ListedSeries().size());
  } else if (TChartSeries* s = ValueSeries(*chart_)) {
    available =
        effectiveStyle_ == TLegendStyle::lsLastValues ? std::min(1, s->Count()) : s->Count();
  }
  itemCount_ = std::max(0, available - firstValue_);
  chart_->SetLegendBackColor(Color());
  canvas.AssignFont(Font());
  spaceWidth_ = canvas.TextWidth(" ");
  itemHeight_ = CalcItemHeight();
  lastItem_ = firstValue_ + itemCount_ - 1;
  texts_.clear();
  columnTextWidths_ = {0, 0};
  for (int i = firstValue_; i <= lastItem_; ++i) {
    texts_.push_back(SplitColumns(chart_->InternalFormattedLegend(*this, i)));
    for (int c = 0; c < 2; ++c)
      if (!texts_.back()[c].empty())
        columnTextWidths_[c] = std::max(columnTextWidths_[c], canvas.TextWidth(texts_.back()[c]));
  }
  textColumnWidth_ = 2 * spaceWidth_ - 1 + columnTextWidths_[0] + columnTextWidths_[1];
}

void TCustomChartLegend::PlaceTopOrBottom() {
  const int fw = FrameWidth();
  const TRect& rect = chart_->ChartRect();
  const int W = textColumnWidth_;
  const int cw = symbolPixels_;
  const int u = cw + W + 8 + (HasCheckBoxes() ? 27 : 0);
  if (rect.right <= 8 || u <= 0) {
    columnCount_ = 0;
  } else {
    columnCount_ = std::min((chart_->ChartWidth() - 2 * fw - 8) / u, itemCount_);
  }
  if (columnCount_ < 1) {
    rowCount_ = 0;
  } else {
    rowCount_ = itemCount_ / columnCount_ + (itemCount_ % columnCount_ ? 1 : 0);
    rowCount_ = std::min(rowCount_, maxNumRows_);
  }
  lastItem_ = firstValue_ + std::min(itemCount_, columnCount_ * rowCount_) - 1;
  if (lastItem_ < firstValue_) return;

  TRect& b = ShapeBounds();
  const int height = itemHeight_ * rowCount_ + 2;
  if (alignment_ == TLegendAlignment::laTop) {
    b.top = rect.top + fw + 1;
    b.bottom = b.top + height;
  } else {
    b.bottom = rect.bottom - fw - 1;
    b.top = b.bottom - height;
  }
  int w = columnCount_ * (W + cw + 6) + 10;
  if (HasCheckBoxes()) w += columnCount_ * kCheckBoxSize + 8;
  const int d = std::min(chart_->ChartWidth(), w) / 2;
  b.left = RoundEven(topPos_ * (chart_->ChartBounds().Width() - 2 * d) * 0.01) +
           chart_->ChartXCenter() - d;
  b.right = b.left + 2 * d;
}

void TCustomChartLegend::PlaceSide() {
  const int fw = FrameWidth();
  const TRect& rect = chart_->ChartRect();
  // One column down the side, as many rows as the plot's height allows.
  const int W = textColumnWidth_ + 10;
  symbolPixels_ = symbol_.CalcWidth(W, itemHeight_);
  const int rows = itemHeight_ > 0 ? (chart_->ChartHeight() - 2 * fw - 4) / itemHeight_ : 0;
  rowCount_ = std::max(0, std::min(itemCount_, rows));
  columnCount_ = rowCount_ > 0 ? 1 : 0;
  lastItem_ = firstValue_ + rowCount_ - 1;
  if (lastItem_ < firstValue_) return;
  const int width = W + symbolPixels_ + (HasCheckBoxes() ? 15 : 0);
  const int m = horizMargin_ != 0 ? horizMargin_ : 3 * chart_->ChartWidth() / 100;
  TRect& b = ShapeBounds();
  b.top = rect.top + fw + 1;
  b.bottom = b.top + itemHeight_ * rowCount_ + 2;
  if (alignment_ == TLegendAlignment::laLeft) {
    b.left = rect.left + m;
    b.right = b.left + width;
  } else {
    b.right = rect.right - m;
    b.left = b.right - width;
  }
}

void TCustomChartLegend::DrawLegend() {
  items_.clear();
  columnCount_ = rowCount_ = 0;
  Measure();
  if (GetVertical()) {
    PlaceSide();
  } else {
    symbolPixels_ = symbol_.CalcWidth(textColumnWidth_, itemHeight_);
    PlaceTopOrBottom();
  }
  if (lastItem_ < firstValue_) {
    columnCount_ = 0;
    return;
  }
  // First-column positions.
  const int left = ShapeBounds().left;
  xCheckBox_ = left + 4;
  const int e = HasCheckBoxes() ? left + 15 : left;
  if (symbol_.Position() == TLegendSymbolPosition::spLeft) {
    xSymbol_ = e + 6;
    xText_ = e + symbolPixels_ + 10;
  } else {
    xText_ = e + 6;
    xSymbol_ = e + textColumnWidth_ + 6;
  }
  if (chart_->OnGetLegendRect) chart_->OnGetLegendRect(*chart_, ShapeBounds());

  DrawRectRotated(chart_->GetCanvas(), ShapeBounds());
  for (int k = 0; k <= lastItem_ - firstValue_; ++k)
    DrawItem(k, inverted_ ? lastItem_ - k : firstValue_ + k);
  if (resizeChart_ && !CustomPosition()) ResizeChartRect();
}

void TCustomChartLegend::DrawItem(int position, int item) {
  TCanvas3D& canvas = chart_->GetCanvas();
  canvas.Brush() = {Color(), TBrushStyle::bsClear};
  chart_->SetLegendSymbolPen(symbol_.DefaultPen() ? nullptr : &symbol_.Pen());

  const int r = position / columnCount_;
  const int c = position % columnCount_;
  const int step = textColumnWidth_ + symbolPixels_ + 6 + (HasCheckBoxes() ? 15 : 0);
  const int o = GetVertical() ? 0 : c * step;
  int y = FirstItemTop() + 1 + r * itemHeight_ + vertSpacing_ / 2;
  int xSymbol = xSymbol_;
  int xText = xText_;
  if (chart_->OnGetLegendPos) chart_->OnGetLegendPos(*chart_, item, xSymbol, y, xText);

  TChartSeries* series = ItemSeries(item);
  const TPoint textAt{xText + o, HasCheckBoxes() ? y + 1 : y};
  DrawItemText(series, item, textAt);
  const TRect symbol = ItemSymbolRect(position, xSymbol + o, y);
  items_.push_back({texts_[item - firstValue_][0], textAt, symbol});
  if (series) DrawItemSeriesMarks(*series, item, symbol, o, y);
  if (position > 0 && dividingLines_.Visible()) DrawDividingLine(o, y);
}

TChartSeries* TCustomChartLegend::ItemSeries(int item) const {
  // The listed series for a series legend, the value series for a value legend.
  if (effectiveStyle_ != TLegendStyle::lsSeries) return ValueSeries(*chart_);
  const std::vector<TChartSeries*> listed = ListedSeries();
  return item < int(listed.size()) ? listed[item] : nullptr;
}

void TCustomChartLegend::DrawItemText(const TChartSeries* series, int item, TPoint at) {
  TCanvas3D& canvas = chart_->GetCanvas();
  canvas.SetTextAlign(TA_LEFT);
  TTeeFont& font = Font();
  const TColor fontColor = font.Color();
  if (fontSeriesColor_ && series) {
    TFont f = canvas.Font();
    f.color = effectiveStyle_ == TLegendStyle::lsSeries ? series->SeriesColor()
                                                        : series->ValueColor(item);
    canvas.Font() = f;
  }
  // Column by column.
  const std::array<std::string, 2>& text = texts_[item - firstValue_];
  int x = at.x;
  for (int col = 0; col < 2; ++col) {
    if (!text[col].empty()) canvas.TextOut(x, at.y, text[col]);
    x += columnTextWidths_[col] + spaceWidth_;
  }
  if (fontSeriesColor_) canvas.Font().color = fontColor;
}

TRect TCustomChartLegend::ItemSymbolRect(int position, int left, int y) const {
  const int shortBottom = y + itemHeight_ + 1 - (vertSpacing_ + 3);
  TRect symbol{left, y + 2, left + symbolPixels_, shortBottom};
  // Continuous symbols touch from row to row.
  if (symbol_.Continuous()) {
    symbol.top = position == 0 ? y + 2 : y;
    symbol.bottom = position == lastItem_ - firstValue_ ? shortBottom : y + itemHeight_ + 1;
  }
  return symbol;
}

void TCustomChartLegend::DrawItemSeriesMarks(TChartSeries& series, int item, const TRect& symbol,
                                             int o, int y) {
  if (HasCheckBoxes()) {
    const int bx = xCheckBox_ + o;
    const int by = y - 1 + (itemHeight_ - vertSpacing_ - 11) / 2;
    chart_->GetCanvas().ReferenceCanvas().DrawCheckBox(
        {bx, by, bx + kCheckBoxSize, by + kCheckBoxSize}, series.Active());
  }
  if (symbolPixels_ > 0) {
    const int index = effectiveStyle_ == TLegendStyle::lsSeries ? -1 : item;
    series.DrawLegend(index, symbol);
    if (symbol_.OnDraw) symbol_.OnDraw(chart_->IndexOfSeries(&series), symbol);
  }
}

void TCustomChartLegend::DrawDividingLine(int o, int y) {
  TCanvas3D& canvas = chart_->GetCanvas();
  canvas.AssignVisiblePen(dividingLines_);
  const TRect& b = ShapeBounds();
  if (GetVertical()) {
    canvas.DoHorizLine(b.left, b.right, y - 1);
  } else {
    canvas.DoVertLine(b.left + o + 2, b.top, b.bottom);
  }
}

void TCustomChartLegend::ResizeChartRect() {
  TRect rect = chart_->ChartRect();
  const TRect& b = ShapeBounds();
  const int m = vertMargin_ != 0 ? vertMargin_ : 4 * chart_->ChartHeight() / 100;
  const int mh = horizMargin_ != 0 ? horizMargin_ : 3 * chart_->ChartWidth() / 100;
  switch (alignment_) {
    case TLegendAlignment::laTop:
      rect.top = b.bottom + chart_->Shadow().VertSize() + m;
      break;
    case TLegendAlignment::laBottom:
      rect.bottom = b.top - m;
      break;
    case TLegendAlignment::laLeft:
      rect.left = b.right + mh;
      break;
    case TLegendAlignment::laRight:
      rect.right = b.left - mh;
      break;
  }
  chart_->SetChartRect(rect);
  chart_->ReCalcWidthHeight();
}

int TCustomChartLegend::Clicked(int x, int y) {
  const TRect& b = ShapeBounds();
  if (x < b.left || x > b.right || y < b.top || y > b.bottom) return -1;
  chart_->GetCanvas().AssignFont(Font());
  itemHeight_ = CalcItemHeight();
  if (columnCount_ <= 0) return -1;
  const auto rowOf = [&](int r) { return inverted_ ? rowCount_ - 1 - r : r; };
  const auto inRow = [&](int r) {
    const int top = FirstItemTop() + r * itemHeight_ + 1;
    return y >= top && y <= top + itemHeight_;
  };
  int result = -1;
  if (GetVertical()) {
    for (int r = 0; r < rowCount_; ++r) {
      if (!inRow(r)) continue;
      const int item = rowOf(r);
      return item > itemCount_ - 1 ? -1 : item + firstValue_;
    }
    return -1;
  }
  const int q = (b.right - b.left) / columnCount_;
  // Every column is tried: where two spans share a pixel the right-hand one answers.
  for (int c = 0; c < columnCount_; ++c) {
    const int from = b.left + c * q + 1;
    if (x < from || x > from + q) continue;
    for (int r = 0; r < rowCount_; ++r) {
      if (!inRow(r)) continue;
      const int item = inverted_ ? (rowOf(r) + 1) * columnCount_ - c - 1 : r * columnCount_ + c;
      result = item > itemCount_ - 1 ? -1 : item + firstValue_;
      break;
    }
  }
  return result;
}

bool TCustomChartLegend::DoMouseDown(int index) {
  if (!HasCheckBoxes() || index == -1) return false;
  const std::vector<TChartSeries*> listed = ListedSeries();
  if (index < 0 || index >= int(listed.size())) return false;
  if (checkBoxesStyle_ == TCheckBoxesStyle::cbsCheck) {
    listed[index]->SetActive(!listed[index]->Active());
  } else {
    for (int j = 0; j < int(listed.size()); ++j) listed[j]->SetActive(j == index);
  }
  return true;
}

}  // namespace vadidazid
