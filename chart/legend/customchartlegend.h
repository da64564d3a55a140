// The chart's legend: one item per series (a check box, the series' symbol and its
// title) in a band above the plot, or down one side. At each drawing it measures its
// items in its font, places itself, draws the items and takes its band out of the plot
// rectangle; a press is judged against the layout of the last drawing, and a press on
// an item switches its series on or off.
//
// The layout values (bounds, counts, widths, first-column positions, the drawn items)
// are kept from one drawing to the next only for the hit test; nothing is cached for
// the drawing itself, which measures anew every time.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "chart/legend/legendsymbol.h"
#include "chart/panel/teecustomshape.h"

namespace vadidazid {

class TCustomChart;
class TChartSeries;

enum class TLegendAlignment { laLeft, laRight, laTop, laBottom };
enum class TCheckBoxesStyle { cbsCheck, cbsRadio };
enum class TLegendStyle { lsAuto, lsSeries, lsValues, lsLastValues };
enum class TLegendTextStyle {
  ltsPlain,
  ltsLeftValue,
  ltsRightValue,
  ltsLeftPercent,
  ltsRightPercent,
  ltsXValue,
  ltsValue,
  ltsPercent,
  ltsXAndValue,
  ltsXAndPercent
};

// The column separator inside an item text.
inline constexpr char kLegendColumnSeparator = '\x06';

// What the last drawing put down for one item.
struct TLegendItem {
  std::string text;
  TPoint textPos;
  TRect symbolRect;
};

class TCustomChartLegend : public TTeeCustomShapePosition {
 public:
  explicit TCustomChartLegend(TCustomChart* chart);

  TCustomChart* Chart() const { return chart_; }

  // Settings.
  TLegendAlignment Alignment() const { return alignment_; }
  void SetAlignment(TLegendAlignment value) { Store(alignment_, value); }
  bool CheckBoxes() const { return checkBoxes_; }
  void SetCheckBoxes(bool value) { Store(checkBoxes_, value); }
  TCheckBoxesStyle CheckBoxesStyle() const { return checkBoxesStyle_; }
  void SetCheckBoxesStyle(TCheckBoxesStyle value) { Store(checkBoxesStyle_, value); }
  // The same value as Symbol().Width().
  int ColorWidth() const { return symbol_.Width(); }
  void SetColorWidth(int value) { symbol_.SetWidth(value); }
  bool CurrentPage() const { return currentPage_; }
  void SetCurrentPage(bool value) { Store(currentPage_, value); }
  TChartHiddenPen& DividingLines() { return dividingLines_; }
  int FirstValue() const { return firstValue_; }
  // A negative first item is refused, as no item comes before the first.
  void SetFirstValue(int value);
  bool FontSeriesColor() const { return fontSeriesColor_; }
  void SetFontSeriesColor(bool value) { Store(fontSeriesColor_, value); }
  int HorizMargin() const { return horizMargin_; }
  void SetHorizMargin(int value) { Store(horizMargin_, value); }
  bool Inverted() const { return inverted_; }
  void SetInverted(bool value) { Store(inverted_, value); }
  TLegendStyle LegendStyle() const { return legendStyle_; }
  void SetLegendStyle(TLegendStyle value) { Store(legendStyle_, value); }
  int MaxNumRows() const { return maxNumRows_; }
  void SetMaxNumRows(int value) { Store(maxNumRows_, value); }
  bool ResizeChart() const { return resizeChart_; }
  void SetResizeChart(bool value) { Store(resizeChart_, value); }
  TLegendSymbol& Symbol() { return symbol_; }
  const TLegendSymbol& Symbol() const { return symbol_; }
  TLegendTextStyle TextStyle() const { return textStyle_; }
  void SetTextStyle(TLegendTextStyle value) { Store(textStyle_, value); }
  int TopPos() const { return topPos_; }
  void SetTopPos(int value) { Store(topPos_, value); }
  int VertMargin() const { return vertMargin_; }
  void SetVertMargin(int value) { Store(vertMargin_, value); }
  int VertSpacing() const { return vertSpacing_; }
  void SetVertSpacing(int value) { Store(vertSpacing_, value); }

  // Queries.
  bool ShouldDraw() const;
  bool HasCheckBoxes() const;
  bool GetVertical() const;
  // The style in force, as fixed by the last CalcLegendStyle.
  TLegendStyle EffectiveStyle() const { return effectiveStyle_; }
  void CalcLegendStyle();
  // The series the legend lists, in the chart's order.
  std::vector<TChartSeries*> ListedSeries() const;
  std::string FormattedLegend(int index) const;
  // Row height for the canvas's current font.
  int CalcItemHeight() const;
  // The legend shows no title, so its first row starts at the box's top.
  int FirstItemTop() const { return ShapeBounds().top; }

  // Measures, places and draws the legend and takes its band out of the plot.
  void DrawLegend();
  // The item under the point in the last drawing's layout, or -1.
  int Clicked(int x, int y);
  // Switches the series of a pressed item; true when the press was used.
  bool DoMouseDown(int index);

  // The layout of the last drawing.
  int ItemCount() const { return itemCount_; }
  int LastItem() const { return lastItem_; }
  int ItemHeight() const { return itemHeight_; }
  int TextColumnWidth() const { return textColumnWidth_; }
  int ColumnTextWidth(int column) const { return columnTextWidths_[column]; }
  int SymbolPixels() const { return symbolPixels_; }
  int ColumnCount() const { return columnCount_; }
  int RowCount() const { return rowCount_; }
  int CheckBoxX() const { return xCheckBox_; }
  int SymbolX() const { return xSymbol_; }
  int TextX() const { return xText_; }
  const std::vector<TLegendItem>& Items() const { return items_; }

 private:
  // The frame's share of the box edges.
  int FrameWidth() const;
  // Style, item count, row height, item texts and column widths.
  void Measure();
  void PlaceTopOrBottom();
  void PlaceSide();
  // One item at its place in the rows and columns: text, symbol, check box, the line
  // dividing it from the item before.
  void DrawItem(int position, int item);
  // The series behind an item, or nullptr.
  TChartSeries* ItemSeries(int item) const;
  void DrawItemText(const TChartSeries* series, int item, TPoint at);
  TRect ItemSymbolRect(int position, int left, int y) const;
  // The item's check box and its series' symbol; o is the item's column offset.
  void DrawItemSeriesMarks(TChartSeries& series, int item, const TRect& symbol, int o, int y);
  void DrawDividingLine(int o, int y);
  void ResizeChartRect();

  TCustomChart* chart_;
  TLegendAlignment alignment_ = TLegendAlignment::laRight;
  bool checkBoxes_ = false;
  TCheckBoxesStyle checkBoxesStyle_ = TCheckBoxesStyle::cbsCheck;
  bool currentPage_ = true;
  TChartHiddenPen dividingLines_;
  int firstValue_ = 0;
  bool fontSeriesColor_ = false;
  int horizMargin_ = 0;
  bool inverted_ = false;
  TLegendStyle legendStyle_ = TLegendStyle::lsAuto;
  int maxNumRows_ = 10;
  bool resizeChart_ = true;
  TLegendSymbol symbol_;
  TLegendTextStyle textStyle_ = TLegendTextStyle::ltsLeftValue;
  int topPos_ = 10;
  int vertMargin_ = 0;
  int vertSpacing_ = 0;

  TLegendStyle effectiveStyle_ = TLegendStyle::lsSeries;
  int itemCount_ = 0;
  int lastItem_ = -1;
  int itemHeight_ = 0;
  int spaceWidth_ = 0;
  int textColumnWidth_ = 0;
  std::array<int, 2> columnTextWidths_{};
  int symbolPixels_ = 0;
  int columnCount_ = 0;
  int rowCount_ = 0;
  int xCheckBox_ = 0;
  int xSymbol_ = 0;
  int xText_ = 0;
  // Column texts of every item of the last drawing.
  std::vector<std::array<std::string, 2>> texts_;
  std::vector<TLegendItem> items_;
};

}  // namespace vadidazid
