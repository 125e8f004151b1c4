#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/TimeOfDayClock.h"
#include "dsc/CallSink.h"
#include "dsc/CallTexts.h"
#include "dsc/DistressKind.h"
#include "list/AlertHost.h"
#include "list/ListOptions.h"
#include "list/ReceiveColumns.h"
#include "list/ReceiveEntry.h"
#include "list/ReceiveListObserver.h"

namespace tolvik {

// The record of received calls: one row per call, or per transmitting station
// while overwriting is on; index 0 is the top row. It writes each completed
// call with the time of day, keeps the list newest first, raises the distress
// alert through its AlertHost and reports every change to its observer.
// Rows leave through Clear, the two purges, DeleteRow (ageing) and nothing
// else. Not persisted; not thread-safe (everything runs on one thread).
//
// Rows written within the same second: a sort is stable, and the row a call
// has just written goes above every row whose sort text equals its own, so
// the newest call of a second is on top.
class ReceiveList final : public CallSink {
 public:
  // The order a newly written call is sorted into: by time, newest first.
  static constexpr int kNewestFirstSortCode = -SortCodeOfColumn(kTimeColumn);

  // The list reads the options and the clock afresh at every call; all three
  // must outlive it.
  ReceiveList(const ListOptions& options, const TimeOfDayClock& clock, AlertHost& alert_host);

  // The one observer told about every change, or none (nullptr).
  void SetObserver(ReceiveListObserver* observer) { observer_ = observer; }

  // Writes a completed call: drops it when DropNoInformation is set and it
  // carries neither information nor position; with OverwriteStation set
  // overwrites the topmost row of the same From; else appends a row. Then
  // sorts newest first and, when the options ask for it, raises the alert
  // for the row written.
  void AddReceiveEntry(const CallTexts& call) override;

  // Sorts all rows by the column of `code`: +-1 Category, +-(k+1) column k
  // (From = 1 .. Time = 7); positive ascending, negative descending. Texts
  // compare byte-wise as CompareTexts does. Any other code leaves the list as
  // it is.
  void SortReceiveList(int code);

  // A click on the header of `column`: with two rows or more, sorts ascending
  // by it when row 0's text there is greater than the last row's, otherwise
  // descending. With fewer rows, or an unknown column, nothing happens.
  void ColumnClick(int column);

  // Deletes every row that has neither Information nor Position; the others
  // keep their order.
  void PurgeNoInformation();

  // Keeps only the topmost row of each From (the newest in the normal order).
  void PurgeDuplicateStations();

  // Deletes every row.
  void Clear();

  // Deletes row `row`; false (and nothing deleted) when there is no such row.
  bool DeleteRow(int row);

  // Opens row `row` in the details dialog without alert (a double click); a
  // row that does not exist (-1 for no selection) does nothing.
  void OpenRowDetails(int row);

  int Count() const { return static_cast<int>(rows_.size()); }

  // Where the last AddReceiveEntry wrote its call, as the list stood right
  // after it (a later change may move or delete that row); nullopt when it
  // dropped the call, and before the first.
  std::optional<int> LastWrittenRow() const { return last_written_row_; }

  // Row `row`; throws std::out_of_range for a row that does not exist.
  const ReceiveEntry& Row(int row) const;

  // The text of `column` (0..7) of row `row`; throws std::out_of_range for a
  // row or column that does not exist.
  const std::string& CellText(int row, int column) const;

 private:
  // The topmost row whose From equals `from` byte for byte.
  std::optional<int> FindStation(const std::string& from) const;
  // Writes the call into its target row or a new last row; returns its index.
  int WriteCall(const CallTexts& call);
  // Sorts by `code`, putting `written_row` first among rows of equal text;
  // returns where `written_row` has gone (or -1 when none was given).
  int SortRows(int code, std::optional<int> written_row);
  void RemoveRow(int row);
  // Sound (unless an alert is already being signalled), dialog loaded with
  // the row, dialog shown unless it is showing already.
  void SignalAlert(int row, DistressKind kind);

  const ListOptions& options_;   // overwriting, dropping and the alert switches, read per call
  const TimeOfDayClock& clock_;  // gives the Time of each written row
  AlertHost& alert_host_;        // details dialog and alert sound
  ReceiveListObserver* observer_ = nullptr;  // told about each change; may be none
  std::vector<ReceiveEntry> rows_;           // the rows, index 0 at the top
  std::optional<int> last_written_row_;      // where the last call given went, if anywhere
};

}  // namespace tolvik
