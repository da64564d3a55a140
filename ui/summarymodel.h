// The summary of a study as a table model for the window: the cells of the summary
// table with the user's decimal separator and the columns titled in Polish. The view
// asks only for the cells it shows, so a study of many points refreshes its table in a
// moment, where a widget of one item per cell would rebuild them all.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <string>
#include <vector>

namespace vadidazid {

class TSummaryModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // The summary's cells, the header row first, as SummaryCells gives them.
  void SetCells(const std::vector<std::vector<std::string>>& cells);
  // The widest text of each column, header included, for the view's column widths.
  std::vector<QString> WidestTexts() const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  QStringList titles_;
  std::vector<QStringList> rows_;
};

}  // namespace vadidazid
