// The study's summary table for the window's view.
#include "ui/summarymodel.h"

#include <algorithm>

#include "platform/text/numtext.h"

namespace vadidazid {

namespace {

// The summary's columns in the window's words.
const std::pair<const char*, const char*> kColumnTitles[] = {
    {"grid_side", "Bok sieci"},
    {"subscribers", "Abonenci"},
    {"channels", "Kanały / BS"},
    {"call_percent", "Prawdop. [%]"},
    {"steps", "Kroki"},
    {"warmup", "Rozbieg"},
    {"mean", "Średnia"},
    {"deviation", "Odchylenie"},
    {"runs", "Przebiegi"},
    {"blocking", "Blokada"},
    {"call_congestion", "Pełne komórki"},
    {"engset", "Engset"},
    {"erlang_b", "Erlang B"},
    {"dropping", "Zerwania"},
    {"load_percent", "Obciążenie [%]"},
};

QString ColumnTitle(const std::string& name) {
  for (const auto& [key, title] : kColumnTitles) {
    if (name == key) return QString::fromUtf8(title);
  }
  return QString::fromStdString(name);
}

// The numbers with the decimal separator the user reads.
QString LocalNumbers(std::string text) {
  std::replace(text.begin(), text.end(), '.', DecimalSeparator());
  return QString::fromUtf8(text);
}

}  // namespace

void TSummaryModel::SetCells(const std::vector<std::vector<std::string>>& cells) {
  beginResetModel();
  titles_.clear();
  rows_.clear();
  if (!cells.empty()) {
    for (const std::string& name : cells.front()) titles_ << ColumnTitle(name);
    for (size_t r = 1; r < cells.size(); ++r) {
      QStringList row;
      for (const std::string& cell : cells[r]) row << LocalNumbers(cell);
      rows_.push_back(row);
    }
  }
  endResetModel();
}

std::vector<QString> TSummaryModel::WidestTexts() const {
  std::vector<QString> widest(titles_.begin(), titles_.end());
  for (const QStringList& row : rows_) {
    for (int c = 0; c < row.size() && c < int(widest.size()); ++c) {
      if (row[c].size() > widest[size_t(c)].size()) widest[size_t(c)] = row[c];
    }
  }
  return widest;
}

int TSummaryModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(rows_.size());
}

int TSummaryModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(titles_.size());
}

QVariant TSummaryModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || size_t(index.row()) >= rows_.size()) return {};
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  const QStringList& row = rows_[size_t(index.row())];
  return index.column() < row.size() ? row[index.column()] : QString();
}

QVariant TSummaryModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= titles_.size()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return titles_[section];
}

}  // namespace vadidazid
