#include "list/ReceiveList.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <stdexcept>
#include <utility>

#include "list/AlertPolicy.h"
#include "list/ReceiveColumns.h"
#include "list/TextOrder.h"
#include "list/TimeText.h"

namespace tolvik {

namespace {

// The column and direction a sort code stands for.
struct SortOrder {
  int Column = 0;         // 0..kReceiveColumnCount-1
  bool Ascending = true;  // positive code ascending, negative descending
};

std::optional<SortOrder> SortOrderOfCode(int code) {
  const int column = std::abs(code) - 1;
  if (code == 0 || column >= kReceiveColumnCount) {
    return std::nullopt;
  }
  return SortOrder{column, code > 0};
}

bool HasNoInformation(const ReceiveEntry& row) {
  return row.Information.empty() && row.Position.empty();
}

// Rows `left` and `right` compared in `order`: negative when left sorts first.
int CompareRows(const std::vector<ReceiveEntry>& rows, const SortOrder& order, int left,
                int right) {
  const int comparison =
      CompareTexts(ColumnText(rows[left], order.Column), ColumnText(rows[right], order.Column));
  return order.Ascending ? comparison : -comparison;
}

// Whether every row but `written_row` is in `order` already.
bool InOrderBut(const std::vector<ReceiveEntry>& rows, const SortOrder& order, int written_row) {
  int previous = -1;
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    if (row == written_row) {
      continue;
    }
    if (previous >= 0 && CompareRows(rows, order, previous, row) > 0) {
      return false;
    }
    previous = row;
  }
  return true;
}

// The old row of each new row: a stable sort, `written_row` (if any) first
// among rows of equal text.
std::vector<int> SortedOrder(const std::vector<ReceiveEntry>& rows, const SortOrder& order,
                             std::optional<int> written_row) {
  std::vector<int> old_row_of_new(rows.size());
  std::iota(old_row_of_new.begin(), old_row_of_new.end(), 0);
  std::stable_sort(old_row_of_new.begin(), old_row_of_new.end(), [&](int left, int right) {
    const int comparison = CompareRows(rows, order, left, right);
    if (comparison != 0) {
      return comparison < 0;
    }
    return written_row.has_value() && left == *written_row && right != *written_row;
  });
  return old_row_of_new;
}

// The same, for a list whose other rows are in order already.
std::vector<int> OrderWithRowInserted(const std::vector<ReceiveEntry>& rows, const SortOrder& order,
                                      int written_row) {
  // What the stable sort gives when the other rows are in order already: them
  // as they stand, the written row above the first that does not sort before it.
  std::vector<int> old_row_of_new;
  old_row_of_new.reserve(rows.size());
  bool placed = false;
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    if (row == written_row) {
      continue;
    }
    if (!placed && CompareRows(rows, order, row, written_row) >= 0) {
      old_row_of_new.push_back(written_row);
      placed = true;
    }
    old_row_of_new.push_back(row);
  }
  if (!placed) {
    old_row_of_new.push_back(written_row);
  }
  return old_row_of_new;
}

// Moves row `from` to index `to`; the rows between shift by one.
void MoveRow(std::vector<ReceiveEntry>& rows, int from, int to) {
  // One move per row passed; a rotation would swap them, three moves each.
  const auto first = rows.begin();
  ReceiveEntry moving = std::move(rows[from]);
  if (to < from) {
    std::move_backward(first + to, first + from, first + from + 1);
  } else {
    std::move(first + from + 1, first + to + 1, first + from);
  }
  rows[to] = std::move(moving);
}

}  // namespace

ReceiveList::ReceiveList(const ListOptions& options, const TimeOfDayClock& clock,
                         AlertHost& alert_host)
    : options_(options), clock_(clock), alert_host_(alert_host) {}

void ReceiveList::AddReceiveEntry(const CallTexts& call) {
  // Decided before anything else, acted on only once the row stands in place.
  const bool alert = RaisesAlert(options_, call.Kind);
  last_written_row_.reset();
  if (options_.DropNoInformation() && call.Information.empty() && call.Position.empty()) {
    return;
  }
  const int written = WriteCall(call);
  const int row = SortRows(kNewestFirstSortCode, written);
  last_written_row_ = row;
  if (observer_ != nullptr) {
    observer_->RowWritten(row, rows_[row], call.Kind);
  }
  if (alert) {
    SignalAlert(row, call.Kind);
  }
}

std::optional<int> ReceiveList::FindStation(const std::string& from) const {
  for (int row = 0; row < Count(); ++row) {
    if (rows_[row].From == from) {
      return row;
    }
  }
  return std::nullopt;
}

int ReceiveList::WriteCall(const CallTexts& call) {
  std::string time = FormatTimeText(clock_.Now());
  const std::optional<int> target =
      options_.OverwriteStation() ? FindStation(call.From) : std::optional<int>{};
  if (target) {
    // The station's row is reused; its From is equal anyway.
    ReceiveEntry& row = rows_[*target];
    row.Category = call.Category;
    row.To = call.To;
    row.RequestStatus = call.RequestStatus;
    row.Information = call.Information;
    row.Position = call.Position;
    row.Ack = call.Ack;
    row.Time = std::move(time);
    if (observer_ != nullptr) {
      observer_->RowChanged(*target);
    }
    return *target;
  }
  const int row = Count();
  if (observer_ != nullptr) {
    observer_->RowAboutToBeInserted(row);
  }
  rows_.push_back(ReceiveEntry{call.Category, call.From, call.To, call.RequestStatus,
                               call.Information, call.Position, call.Ack, std::move(time)});
  if (observer_ != nullptr) {
    observer_->RowInserted(row);
  }
  return row;
}

void ReceiveList::SortReceiveList(int code) {
  SortRows(code, std::nullopt);
}

int ReceiveList::SortRows(int code, std::optional<int> written_row) {
  const std::optional<SortOrder> order = SortOrderOfCode(code);
  if (!order) {
    return written_row.value_or(-1);
  }
  // Sort row numbers rather than rows, so that the observer can be told where
  // each row went and the written row can be followed. In the ordinary case
  // only the written row is out of place: finding its place takes one pass
  // instead of a sort, and only the rows it passes move, in place, so a long
  // list stays quick to add to.
  const bool only_written_moves = written_row && InOrderBut(rows_, *order, *written_row);
  const std::vector<int> old_row_of_new = only_written_moves
                                              ? OrderWithRowInserted(rows_, *order, *written_row)
                                              : SortedOrder(rows_, *order, written_row);

  std::vector<int> new_row_of_old(rows_.size());
  for (int new_row = 0; new_row < Count(); ++new_row) {
    new_row_of_old[old_row_of_new[new_row]] = new_row;
  }
  const int written_new_row = written_row ? new_row_of_old[*written_row] : -1;
  if (std::is_sorted(old_row_of_new.begin(), old_row_of_new.end())) {
    return written_new_row;  // already in order: nothing moves
  }

  if (observer_ != nullptr) {
    observer_->RowsAboutToBeReordered();
  }
  if (only_written_moves) {
    MoveRow(rows_, *written_row, written_new_row);
  } else {
    std::vector<ReceiveEntry> sorted;
    sorted.reserve(rows_.size());
    for (const int old_row : old_row_of_new) {
      sorted.push_back(std::move(rows_[old_row]));
    }
    rows_ = std::move(sorted);
  }
  if (observer_ != nullptr) {
    observer_->RowsReordered(new_row_of_old);
  }
  return written_new_row;
}

void ReceiveList::ColumnClick(int column) {
  if (Count() <= 1 || column < 0 || column >= kReceiveColumnCount) {
    return;
  }
  const int first_vs_last =
      CompareTexts(ColumnText(rows_.front(), column), ColumnText(rows_.back(), column));
  const int code = SortCodeOfColumn(column);
  SortReceiveList(first_vs_last > 0 ? code : -code);
}

void ReceiveList::PurgeNoInformation() {
  for (int row = 0; row < Count();) {
    if (HasNoInformation(rows_[row])) {
      RemoveRow(row);
    } else {
      ++row;
    }
  }
}

void ReceiveList::PurgeDuplicateStations() {
  for (int kept = 0; kept < Count(); ++kept) {
    for (int row = kept + 1; row < Count();) {
      if (rows_[row].From == rows_[kept].From) {
        RemoveRow(row);
      } else {
        ++row;
      }
    }
  }
}

void ReceiveList::Clear() {
  if (observer_ != nullptr) {
    observer_->AboutToBeCleared();
  }
  rows_.clear();
  if (observer_ != nullptr) {
    observer_->Cleared();
  }
}

bool ReceiveList::DeleteRow(int row) {
  if (row < 0 || row >= Count()) {
    return false;
  }
  RemoveRow(row);
  return true;
}

void ReceiveList::RemoveRow(int row) {
  if (observer_ != nullptr) {
    observer_->RowAboutToBeRemoved(row);
  }
  rows_.erase(rows_.begin() + row);
  if (observer_ != nullptr) {
    observer_->RowRemoved(row);
  }
}

void ReceiveList::OpenRowDetails(int row) {
  if (row < 0 || row >= Count()) {
    return;
  }
  alert_host_.LoadEntry(row, DistressKind::None);
  if (!alert_host_.IsDialogShowing()) {
    alert_host_.ShowDialog();
  }
}

void ReceiveList::SignalAlert(int row, DistressKind kind) {
  // A blinking dialog is already signalling: the newer call only reloads it.
  if (!alert_host_.IsSignallingAlert()) {
    alert_host_.PlayAlertSound();
  }
  alert_host_.LoadEntry(row, kind);
  if (!alert_host_.IsDialogShowing()) {
    alert_host_.ShowDialog();
  }
}

const ReceiveEntry& ReceiveList::Row(int row) const {
  if (row < 0 || row >= Count()) {
    throw std::out_of_range("receive list row out of range");
  }
  return rows_[row];
}

const std::string& ReceiveList::CellText(int row, int column) const {
  return ColumnText(Row(row), column);
}

}  // namespace tolvik
