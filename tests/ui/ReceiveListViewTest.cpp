#include <QHeaderView>
#include <QItemSelectionModel>

#include <gtest/gtest.h>

#include "UiTestDoubles.h"
#include "ui/TForm1.h"
#include "ui/TForm4.h"

namespace tolvik::testing {
namespace {

class ReceiveListViewTest : public ::testing::Test {
 protected:
  ReceiveListViewTest()
      : window_(fixture_.Create()),
        details_(window_.Decoder().List(), window_.MidTablePath(), &window_) {
    window_.SetWindows(nullptr, nullptr, &details_);
  }

  ReceiveList& List() { return window_.Decoder().List(); }
  QString Cell(int row, int column) {
    return window_.ListModel().index(row, column).data().toString();
  }

  MainWindowFixture fixture_;
  TForm1& window_;
  TForm4 details_;
};

TEST_F(ReceiveListViewTest, RowsShowTheListsTextsNewestFirst) {
  List().AddReceiveEntry(Call("232001000", "Ch16"));
  List().AddReceiveEntry(Call("211234560", "Ch06"));
  ASSERT_EQ(window_.ListModel().rowCount(), 2);
  // Both were written within the same second: the newer goes on top.
  EXPECT_EQ(Cell(0, 1), "211234560");
  EXPECT_EQ(Cell(1, 4), "Ch16");
  EXPECT_EQ(Cell(0, 7).size(), 8);
  EXPECT_FALSE(window_.ListModel().flags(window_.ListModel().index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(ReceiveListViewTest, ListClearAnsweredNoKeepsTheRowsAndYesClears) {
  List().AddReceiveEntry(Call("232001000", "Ch16"));
  fixture_.dialogs.answer_yes = false;
  window_.Button2->click();
  ASSERT_EQ(fixture_.dialogs.questions.size(), 1u);
  EXPECT_EQ(fixture_.dialogs.questions[0], "Delete list data, OK?");
  EXPECT_EQ(window_.ListModel().rowCount(), 1);
  fixture_.dialogs.answer_yes = true;
  window_.Button2->click();
  EXPECT_EQ(window_.ListModel().rowCount(), 0);
}

TEST_F(ReceiveListViewTest, SelectionStaysWithItsRowWhenANewRowIsSortedInAbove) {
  List().AddReceiveEntry(Call("232001000", "Ch16"));
  window_.ListView1->selectRow(0);
  List().AddReceiveEntry(Call("211234560", "Ch06"));
  const QModelIndexList selected = window_.ListView1->selectionModel()->selectedRows();
  ASSERT_EQ(selected.size(), 1);
  EXPECT_EQ(Cell(selected.first().row(), 1), "232001000");
}

TEST_F(ReceiveListViewTest, HeaderClickTogglesTheSortOfItsColumn) {
  List().AddReceiveEntry(Call("300000000", "b"));
  List().AddReceiveEntry(Call("100000000", "a"));
  List().AddReceiveEntry(Call("200000000", "c"));
  // Newest on top: 200000000, 100000000, 300000000. Row 0's text is not
  // greater than the last row's, so the first click sorts descending; then
  // it is, and the second sorts ascending.
  emit window_.ListView1->horizontalHeader()->sectionClicked(1);
  EXPECT_EQ(Cell(0, 1), "300000000");
  emit window_.ListView1->horizontalHeader()->sectionClicked(1);
  EXPECT_EQ(Cell(0, 1), "100000000");
  EXPECT_EQ(Cell(2, 1), "300000000");
}

TEST_F(ReceiveListViewTest, DoubleClickOpensTheSelectedRowWithoutBlinking) {
  List().AddReceiveEntry(Call("232001000", "Ch16"));
  window_.ListView1DblClick();  // nothing selected: nothing happens
  QApplication::processEvents();
  EXPECT_FALSE(details_.isVisible());
  window_.ListView1->selectRow(0);
  window_.ListView1DblClick();
  QApplication::processEvents();
  EXPECT_TRUE(details_.isVisible());
  EXPECT_EQ(details_.LoadedRow(), 0);
  EXPECT_FALSE(details_.IsBlinking());
  EXPECT_EQ(details_.Label3->text(), "232001000");
  EXPECT_TRUE(fixture_.sound.played.empty());
}

TEST_F(ReceiveListViewTest, AlertPlaysOnceOpensTheDialogAfterTheBlockAndReloadsForTheNext) {
  List().AddReceiveEntry(Call("232001000", "Fire", "", DistressKind::Alert));
  ASSERT_EQ(fixture_.sound.played.size(), 1u);
  EXPECT_EQ(fixture_.sound.played[0].filename(), "warn.wav");
  // Not on screen while the block is still being processed.
  EXPECT_FALSE(details_.isVisible());
  QApplication::processEvents();
  EXPECT_TRUE(details_.isVisible());
  EXPECT_TRUE(details_.IsBlinking());
  // A second alert while the first is blinking: no second sound, the open
  // dialog shows the newer row.
  List().AddReceiveEntry(Call("211234560", "Sinking", "", DistressKind::Alert));
  QApplication::processEvents();
  EXPECT_EQ(fixture_.sound.played.size(), 1u);
  EXPECT_EQ(details_.Label3->text(), "211234560");
}

TEST_F(ReceiveListViewTest, AnAlertOverADoubleClickedDialogSoundsAndStartsBlinking) {
  List().AddReceiveEntry(Call("232001000", "Ch16"));
  window_.ListView1->selectRow(0);
  window_.ListView1DblClick();
  QApplication::processEvents();
  List().AddReceiveEntry(Call("211234560", "Fire", "", DistressKind::Alert));
  EXPECT_EQ(fixture_.sound.played.size(), 1u);
  EXPECT_TRUE(details_.IsBlinking());
  EXPECT_EQ(details_.LoadedRow(), 0);
}

}  // namespace
}  // namespace tolvik::testing
