#pragma once

#include <span>

#include "dsc/DistressKind.h"
#include "list/ReceiveEntry.h"

namespace tolvik {

// Told about every change of the receive list. Changes come as before/after
// pairs so that a table model can bracket them; the list is unchanged when a
// "before" call arrives and already changed when its "after" call arrives.
// Every notification has an empty default, so an observer overrides only what
// it needs (a console printer just RowWritten).
class ReceiveListObserver {
 public:
  virtual ~ReceiveListObserver() = default;

  // A new row is appended at index `row` (always the current row count).
  virtual void RowAboutToBeInserted(int /*row*/) {}
  virtual void RowInserted(int /*row*/) {}

  // The texts of an existing row were replaced in place.
  virtual void RowChanged(int /*row*/) {}

  // The rows are put in a new order; new_row_of_old[i] is where the row that
  // was at index i has gone.
  virtual void RowsAboutToBeReordered() {}
  virtual void RowsReordered(std::span<const int> /*new_row_of_old*/) {}

  // One row is deleted; the rows below move up by one.
  virtual void RowAboutToBeRemoved(int /*row*/) {}
  virtual void RowRemoved(int /*row*/) {}

  // Every row is deleted at once.
  virtual void AboutToBeCleared() {}
  virtual void Cleared() {}

  // A received call has been written to row `row` and the list is sorted
  // again, so `row` is where it now stands; `kind` is the call's relation to
  // distress, which the row's texts do not keep.
  virtual void RowWritten(int /*row*/, const ReceiveEntry& /*entry*/, DistressKind /*kind*/) {}
};

}  // namespace tolvik
