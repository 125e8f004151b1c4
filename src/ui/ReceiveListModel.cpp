#include "ui/ReceiveListModel.h"

#include "list/ReceiveColumns.h"

namespace tolvik {

ReceiveListModel::ReceiveListModel(ReceiveList& list) : list_(list), text_color_(Qt::black) {
  list_.SetObserver(this);
}

ReceiveListModel::~ReceiveListModel() {
  list_.SetObserver(nullptr);
}

void ReceiveListModel::SetTextColor(const QColor& color) {
  text_color_ = color;
  if (list_.Count() > 0) {
    emit dataChanged(index(0, 0), index(list_.Count() - 1, kReceiveColumnCount - 1),
                     {Qt::ForegroundRole});
  }
}

int ReceiveListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : list_.Count();
}

int ReceiveListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kReceiveColumnCount;
}

QVariant ReceiveListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= list_.Count()) {
    return {};
  }
  if (role == Qt::DisplayRole) {
    return QString::fromStdString(list_.CellText(index.row(), index.column()));
  }
  if (role == Qt::ForegroundRole) {
    return text_color_;
  }
  return {};
}

QVariant ReceiveListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kReceiveColumnCount) {
    return {};
  }
  return QString::fromLatin1(kReceiveColumnCaptions[section]);
}

Qt::ItemFlags ReceiveListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) {
    return Qt::NoItemFlags;
  }
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;  // never editable
}

void ReceiveListModel::RowAboutToBeInserted(int row) {
  beginInsertRows(QModelIndex(), row, row);
}

void ReceiveListModel::RowInserted(int) {
  endInsertRows();
}

void ReceiveListModel::RowChanged(int row) {
  emit dataChanged(index(row, 0), index(row, kReceiveColumnCount - 1));
}

void ReceiveListModel::RowsAboutToBeReordered() {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ReceiveListModel::RowsReordered(std::span<const int> new_row_of_old) {
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& old_index : before) {
    after.append(
        index(new_row_of_old[static_cast<std::size_t>(old_index.row())], old_index.column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ReceiveListModel::RowAboutToBeRemoved(int row) {
  beginRemoveRows(QModelIndex(), row, row);
}

void ReceiveListModel::RowRemoved(int) {
  endRemoveRows();
}

void ReceiveListModel::AboutToBeCleared() {
  beginResetModel();
}

void ReceiveListModel::Cleared() {
  endResetModel();
}

void ReceiveListModel::RowWritten(int, const ReceiveEntry& entry, DistressKind) {
  if (on_row_written_) {
    on_row_written_(entry);
  }
}

}  // namespace tolvik
