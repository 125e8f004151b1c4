// The DSC information dialog on rows of a real receive list, under the
// offscreen platform.

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "UiTestDoubles.h"
#include "ui/DialogPlacement.h"
#include "ui/TForm4.h"

namespace tolvik::testing {
namespace {

CallTexts Row(const std::string& category, const std::string& from, const std::string& to,
              const std::string& information = "", const std::string& position = "",
              const std::string& ack = "") {
  CallTexts call;
  call.Category = category;
  call.From = from;
  call.To = to;
  call.RequestStatus = "SSB telephony";
  call.Information = information;
  call.Position = position;
  call.Ack = ack;
  return call;
}

QColor TextColour(const QLabel* label) {
  return label->palette().color(QPalette::WindowText);
}

bool SamePicture(const QPixmap& shown, const QPixmap& expected) {
  return !shown.isNull() && shown.toImage() == expected.toImage();
}

class InformationDialogTest : public ::testing::Test {
 protected:
  InformationDialogTest()
      : window_(fixture_.Create()), details_(List(), window_.MidTablePath(), &window_) {
    std::ofstream(window_.MidTablePath()) << "211,Germany\n232,United Kingdom\n";
    details_.SetLinkOpener([this](const QUrl& link) { opened_.push_back(link); });
  }

  ReceiveList& List() { return window_.Decoder().List(); }

  // The row added as the newest (row 0), loaded as a double click does.
  void Show(const CallTexts& call, DistressKind kind = DistressKind::None) {
    List().AddReceiveEntry(call);
    details_.LoadEntry(0, kind);
  }

  void ClickPosition() {
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(details_.Label9, &release);
  }

  MainWindowFixture fixture_;
  TForm1& window_;
  TForm4 details_;
  std::vector<QUrl> opened_;
};

TEST_F(InformationDialogTest, CategoryLineTakesItsCaptionAndColour) {
  // The category rules themselves are CaptionOfCategory's; here they reach
  // the label, and the blink keeps what was shown.
  Show(
      Row("Distress", "002320001", "All stations", "Sinking (Distress from 232001234)", "", "Ack"));
  EXPECT_EQ(details_.Label1->text(), "Distress (Relay)");
  EXPECT_EQ(TextColour(details_.Label1), QColor(255, 0, 0));
  EXPECT_EQ(details_.SavedCategoryText(), "Distress (Relay)");
  Show(Row("Urgency", "232001234", "002320001"));
  EXPECT_EQ(details_.Label1->text(), "Urgency");
  EXPECT_EQ(TextColour(details_.Label1), QColor(255, 0, 255));
}

TEST_F(InformationDialogTest, StationsShowTheirKindCountryAndPicture) {
  Show(Row("Routine", "232001234", "002111230"));
  EXPECT_EQ(details_.Label3->text(), "232001234");
  EXPECT_EQ(details_.Label4->text(), "[United Kingdom]");
  EXPECT_TRUE(SamePicture(details_.Image1->pixmap(), details_.Picture(InformationPicture::Ship)));
  EXPECT_EQ(details_.Label5->text(), "002111230");
  EXPECT_EQ(details_.Label6->text(), "[Germany]");
  EXPECT_TRUE(SamePicture(details_.Image2->pixmap(), details_.Picture(InformationPicture::Coast)));

  Show(Row("Routine", "111232500", "021100000"));
  EXPECT_EQ(details_.Label4->text(), "[United Kingdom]");
  EXPECT_TRUE(
      SamePicture(details_.Image1->pixmap(), details_.Picture(InformationPicture::Aircraft)));
  EXPECT_EQ(details_.Label6->text(), "[Group call]");
  EXPECT_TRUE(SamePicture(details_.Image2->pixmap(), details_.Picture(InformationPicture::Ships)));

  // A letter inside: still a ship, but no country can be looked up.
  Show(Row("Routine", "2320A1234", "All stations"));
  EXPECT_EQ(details_.Label4->text(), "[-]");
  EXPECT_EQ(details_.Label6->text(), "");
  EXPECT_TRUE(SamePicture(details_.Image2->pixmap(), details_.Picture(InformationPicture::Ships)));

  Show(Row("Routine", "244000000", "N35E139-N30E149"));
  EXPECT_EQ(details_.Label4->text(), "[No Data]");
  EXPECT_EQ(details_.Label6->text(), "[Area call]");
  EXPECT_TRUE(SamePicture(details_.Image2->pixmap(), details_.Picture(InformationPicture::Area)));
}

TEST_F(InformationDialogTest, TextsOfNoStationClearThePictureOfTheRowBefore) {
  Show(Row("Routine", "232001234", "002111230"));
  Show(Row("Routine", "912345678", "2320012345"));
  EXPECT_EQ(details_.Label3->text(), "912345678");
  EXPECT_EQ(details_.Label4->text(), "");
  EXPECT_TRUE(details_.Image1->pixmap().isNull());
  EXPECT_EQ(details_.Label6->text(), "");
  EXPECT_TRUE(details_.Image2->pixmap().isNull());
}

TEST_F(InformationDialogTest, AckPictures) {
  Show(Row("Routine", "232001234", "002111230", "", "", "Req"));
  EXPECT_TRUE(
      SamePicture(details_.Image4->pixmap(), details_.Picture(InformationPicture::Request)));
  Show(Row("Routine", "232001234", "002111230", "", "", "Ack"));
  EXPECT_TRUE(SamePicture(details_.Image4->pixmap(),
                          details_.Picture(InformationPicture::Acknowledgement)));
  Show(Row("Routine", "232001234", "002111230"));
  EXPECT_TRUE(SamePicture(details_.Image4->pixmap(),
                          details_.Picture(InformationPicture::NoAcknowledgement)));
}

TEST_F(InformationDialogTest, EmptyTextsHaveCaptionsAndAnEmptyPositionIsNoLink) {
  Show(Row("Routine", "232001234", "002111230", "", "N35-40 , E139-45"));
  Show(Row("Distress", "232001234", "All stations"));
  EXPECT_EQ(details_.Label7->text(), "SSB telephony");
  EXPECT_EQ(details_.Label8->text(), "No information data");
  EXPECT_EQ(details_.Label9->text(), "No position data");
  EXPECT_EQ(TextColour(details_.Label9), QColor(0, 0, 0));
  EXPECT_FALSE(details_.Label9->font().underline());
  EXPECT_EQ(details_.Label9->cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(details_.MapLink(), "");
  ClickPosition();
  EXPECT_TRUE(opened_.empty());
}

TEST_F(InformationDialogTest, PositionIsALinkToTheMap) {
  Show(Row("Distress", "232001234", "All stations", "Sinking", "S33-51.1234 , W151-12.5000"));
  EXPECT_EQ(details_.Label9->text(), "S33-51.1234 , W151-12.5000");
  EXPECT_EQ(TextColour(details_.Label9), QColor(0, 0, 255));
  EXPECT_TRUE(details_.Label9->font().underline());
  EXPECT_EQ(details_.Label9->cursor().shape(), Qt::PointingHandCursor);
  ClickPosition();
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0].toString(),
            "https://maps.google.com/maps?q=-33.852057,-151.208333(232001234)&z=6");
  EXPECT_EQ(opened_[0].host(), "maps.google.com");
  EXPECT_EQ(opened_[0].path(), "/maps");
}

TEST_F(InformationDialogTest, UnreadablePositionLooksLikeALinkButOpensNothing) {
  Show(Row("Distress", "232001234", "All stations", "Sinking", "N/A"));
  EXPECT_EQ(details_.Label9->text(), "N/A");
  EXPECT_EQ(TextColour(details_.Label9), QColor(0, 0, 255));
  EXPECT_TRUE(details_.Label9->font().underline());
  EXPECT_EQ(details_.Label9->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(details_.MapLink(), "");
  ClickPosition();
  EXPECT_TRUE(opened_.empty());
}

TEST_F(InformationDialogTest, AlertBlinksTheCategoryEvery250MsUntilClosed) {
  Show(Row("Distress", "232001234", "All stations", "Sinking"), DistressKind::Alert);
  details_.ShowModal();
  EXPECT_TRUE(details_.IsBlinking());
  EXPECT_EQ(details_.BlinkTimer().interval(), 250);
  details_.Timer1Timer();
  EXPECT_EQ(details_.Label1->text(), "");
  details_.Timer1Timer();
  EXPECT_EQ(details_.Label1->text(), "Distress");
  details_.Timer1Timer();
  details_.close();
  EXPECT_FALSE(details_.IsBlinking());
  // Caught blank by the close, the caption comes back with the next row.
  Show(Row("Safety", "232001234", "All stations"));
  EXPECT_EQ(details_.Label1->text(), "Safety");
}

TEST_F(InformationDialogTest, DoubleClickNeverBlinksButAnAlertOverItDoes) {
  Show(Row("Routine", "232001234", "002111230"));
  details_.ShowModal();
  EXPECT_FALSE(details_.IsBlinking());
  Show(Row("Distress", "211234560", "All stations", "Fire , explosion"), DistressKind::Alert);
  EXPECT_TRUE(details_.isVisible());
  EXPECT_TRUE(details_.IsBlinking());
  EXPECT_EQ(details_.Label3->text(), "211234560");
  EXPECT_EQ(details_.Label1->text(), "Distress");
  // A double click on a row while the alert shows ends the blinking.
  details_.LoadEntry(0, DistressKind::None);
  EXPECT_FALSE(details_.IsBlinking());
}

TEST_F(InformationDialogTest, CentredOnTheMainWindowAndKeptBelowTheDesktopTop) {
  const QRect desktop = DesktopRectangle();
  window_.setGeometry(desktop.left() + 40, desktop.top(), 600, 100);
  details_.ShowModal();
  QApplication::processEvents();
  const QRect main = window_.frameGeometry();
  // Centred, its top would stand above the desktop's: 100 / 2 - 169 / 2 < 0.
  EXPECT_EQ(details_.frameGeometry().top(), desktop.top());
  EXPECT_EQ(details_.frameGeometry().left(),
            main.left() + main.width() / 2 - details_.frameGeometry().width() / 2);
  details_.hide();

  window_.setGeometry(desktop.right() - 100, desktop.top() + 200, 600, 300);
  details_.ShowModal();
  QApplication::processEvents();
  EXPECT_EQ(details_.frameGeometry().right(), desktop.right());
  const QRect moved = window_.frameGeometry();
  EXPECT_EQ(details_.frameGeometry().top(),
            moved.top() + moved.height() / 2 - details_.frameGeometry().height() / 2);
}

TEST_F(InformationDialogTest, EveryControlLiesInsideItsParent) {
  Show(Row("Distress", "002320001", "All stations",
           "Undesignated distress (Distress from 232001234)", "S33-51.1234 , W151-12.5000", "Ack"));
  EXPECT_EQ(details_.size(), QSize(TForm4::kClientWidth, TForm4::kClientHeight));
  for (const QWidget* child : details_.findChildren<QWidget*>()) {
    const QRect inside = child->parentWidget()->rect();
    EXPECT_TRUE(inside.contains(child->geometry()))
        << child->metaObject()->className() << " at " << child->x() << "," << child->y() << " "
        << child->width() << "x" << child->height();
  }
}

TEST_F(InformationDialogTest, PicturesAreDrawnAtTheirSize) {
  for (int index = 0; index < kInformationPictureCount; ++index) {
    const QImage picture = details_.Picture(static_cast<InformationPicture>(index)).toImage();
    ASSERT_FALSE(picture.isNull()) << index;
    EXPECT_EQ(picture.size(), QSize(17, 16)) << index;
  }
  // Station pictures: white figures on black, so the corners are black.
  for (const InformationPicture station :
       {InformationPicture::Ship, InformationPicture::Coast, InformationPicture::Ships,
        InformationPicture::Aircraft}) {
    const QImage picture = details_.Picture(station).toImage();
    EXPECT_EQ(picture.pixelColor(16, 15), QColor(Qt::black));
  }
  // The request arrow stands on a clear ground.
  EXPECT_EQ(details_.Picture(InformationPicture::Request).toImage().pixelColor(0, 0).alpha(), 0);
  const QPixmap arrow = details_.Image3->pixmap();
  ASSERT_FALSE(arrow.isNull());
  EXPECT_EQ(arrow.size(), QSize(16, 16));
}

}  // namespace
}  // namespace tolvik::testing
