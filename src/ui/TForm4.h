#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QUrl>

#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "dsc/DistressKind.h"
#include "list/ReceiveList.h"
#include "ui/InformationPicture.h"

namespace tolvik {

// The DSC information dialog: one receive-list row laid out for reading.
// The category in large coloured letters (blinking while it signals a
// distress alert), the time, the calling and the called station each with a
// picture of its kind and its country, the request/acknowledgement sign, and
// the request, information and position lines; a position is a link to a
// web map. It works from the row's texts alone, re-read by LoadEntry, and
// looks countries up in mid.txt afresh each time.
class TForm4 final : public QDialog {
 public:
  static constexpr int kClientWidth = 364;
  static constexpr int kClientHeight = 169;
  static constexpr int kBlinkIntervalMs = 250;  // 2 Hz: 250 ms shown, 250 ms blank

  // Hands a map link to the desktop; tests put a recorder in its place.
  using LinkOpener = std::function<void(const QUrl&)>;

  // `owner` is the main window the dialog is centred on when shown (the
  // desktop when there is none).
  TForm4(const ReceiveList& list, std::filesystem::path mid_file, QWidget* owner = nullptr);

  void SetLinkOpener(LinkOpener opener) { open_link_ = std::move(opener); }

  // Fills every control from row `row` (which the caller guarantees to
  // exist), hidden or showing; a kind other than None starts the blinking,
  // None stops it.
  void LoadEntry(int row, DistressKind kind);

  bool IsBlinking() const { return Timer1.isActive(); }
  const QTimer& BlinkTimer() const { return Timer1; }
  int LoadedRow() const { return loaded_row_; }
  const QString& SavedCategoryText() const { return saved_category_text_; }
  const std::string& MapLink() const { return map_link_; }
  // The picture of the image list at `index`, as drawn into the controls.
  const QPixmap& Picture(InformationPicture index) const {
    return ImageList1[static_cast<int>(index)];
  }

  // On screen, application-modal, without a nested event loop: reception
  // goes on underneath.
  void ShowModal();

  // Opens MapLink with the desktop's URL handler; nothing without a link.
  void Label9Click();
  // One blink step: the category text off when it shows, back when not.
  void Timer1Timer();

  QLabel* Label1;  // category
  QLabel* Label2;  // time
  QLabel* Image4;  // request / acknowledgement sign
  QGroupBox* GroupBox1;
  QLabel* Image1;  // kind of the calling station
  QLabel* Label3;  // calling station
  QLabel* Label4;  // its kind or country
  QLabel* Image3;  // the arrow from "From" to "To"
  QGroupBox* GroupBox2;
  QLabel* Image2;  // kind of the called station
  QLabel* Label5;  // called station
  QLabel* Label6;  // its kind or country
  QGroupBox* GroupBox3;
  QLabel* Label7;  // request / status
  QLabel* Label8;  // information
  QLabel* Label9;  // position, a link when there is one

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  QGroupBox* CreateStationBox(const char* caption, int left, QLabel*& image, QLabel*& station,
                              QLabel*& kind);
  void LoadCategory(const ReceiveEntry& entry);
  void LoadStation(const std::string& address, QLabel* station, QLabel* kind, QLabel* image);
  void LoadPosition(const ReceiveEntry& entry);
  void FormShow();
  void FormClose();

  const ReceiveList& list_;
  const std::filesystem::path mid_file_;
  QWidget* owner_;
  std::array<QPixmap, kInformationPictureCount> ImageList1;
  QTimer Timer1;                 // the blinking of an alert
  QString saved_category_text_;  // what the blink brings back
  std::string map_link_;         // empty: the position line opens nothing
  LinkOpener open_link_;
  int loaded_row_ = -1;
};

}  // namespace tolvik
