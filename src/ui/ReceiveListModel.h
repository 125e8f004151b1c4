#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include <functional>

#include "list/ReceiveList.h"
#include "list/ReceiveListObserver.h"

namespace tolvik {

// The receive list as Qt's table model: eight read-only columns with their
// captions, one row per row of the core's ReceiveList, which stays the one
// owner of the rows. The model observes the list and passes every change on
// as the matching begin/end pair, so views keep their selection with the row
// it was on when the list is re-sorted.
class ReceiveListModel final : public QAbstractTableModel, public ReceiveListObserver {
 public:
  // Becomes the list's observer; the list must outlive the model.
  explicit ReceiveListModel(ReceiveList& list);
  ~ReceiveListModel() override;

  void SetTextColor(const QColor& color);

  // Told of every received call once its row is written and sorted in.
  void SetOnRowWritten(std::function<void(const ReceiveEntry&)> on_row_written) {
    on_row_written_ = std::move(on_row_written);
  }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // ReceiveListObserver
  void RowAboutToBeInserted(int row) override;
  void RowInserted(int row) override;
  void RowChanged(int row) override;
  void RowsAboutToBeReordered() override;
  void RowsReordered(std::span<const int> new_row_of_old) override;
  void RowAboutToBeRemoved(int row) override;
  void RowRemoved(int row) override;
  void AboutToBeCleared() override;
  void Cleared() override;
  void RowWritten(int row, const ReceiveEntry& entry, DistressKind kind) override;

 private:
  ReceiveList& list_;
  QColor text_color_;  // FontColor
  std::function<void(const ReceiveEntry&)> on_row_written_;
};

}  // namespace tolvik
