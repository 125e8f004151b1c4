#pragma once

#include <QDialog>
#include <QLabel>
#include <QTimer>

#include "dsc/DistressKind.h"
#include "list/ReceiveList.h"

namespace tolvik {

// The DSC information dialog: the texts of one receive-list row, loaded by
// LoadEntry. While it signals a distress alert its blink timer (Timer1) runs.
// The full dialog (station kinds, countries, map link) comes with the call
// details; this one shows the row's texts.
class TForm4 final : public QDialog {
 public:
  explicit TForm4(const ReceiveList& list);

  // Fills the dialog from row `row`; a kind other than None starts the
  // blinking, None stops it.
  void LoadEntry(int row, DistressKind kind);

  bool IsBlinking() const { return Timer1.isActive(); }
  int LoadedRow() const { return loaded_row_; }
  QString Text() const { return texts_->text(); }

  // On screen, application-modal, without a nested event loop: reception
  // goes on underneath.
  void ShowModal();

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  static constexpr int kBlinkIntervalMs = 500;

  void Timer1Timer();

  const ReceiveList& list_;
  QLabel* texts_;  // owned by the dialog
  QTimer Timer1;   // the blinking of an alert
  int loaded_row_ = -1;
  bool blink_on_ = false;
};

}  // namespace tolvik
