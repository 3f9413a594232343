// A race entered through the real window: mouse clicks on the combo boxes'
// lists and on the buttons, typing into the distance edits.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "main_dialog_test_util.h"
#include "res/resource.h"

namespace qv::qt {
namespace {

using test::OpenDialog;

class EnterByClicking : public ::testing::Test {
 protected:
  void SetUp() override {
    // The open list ignores a release that comes within the double-click
    // interval of opening it; a user's second click always does.
    savedInterval = QApplication::doubleClickInterval();
    QApplication::setDoubleClickInterval(1);
  }
  void TearDown() override {
    QApplication::setDoubleClickInterval(savedInterval);
  }

  // Opens the combo's list with a click and clicks the entry.
  void Choose(int id, int index) {
    auto* combo = o.Find<QComboBox>(id);
    ASSERT_NE(combo, nullptr) << id;
    QTest::mouseClick(combo, Qt::LeftButton);
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(view->isVisible()) << id;
    const QModelIndex item = view->model()->index(index, 0);
    view->scrollTo(item);
    // Until that interval has passed the click is ignored; click again, as
    // a user would, until the list takes it.
    for (int attempt = 0; attempt < 50 && view->isVisible(); ++attempt) {
      QTest::qWait(20);
      QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                        view->visualRect(item).center());
    }
    ASSERT_FALSE(view->isVisible()) << id;
    ASSERT_EQ(combo->currentIndex(), index) << id;
  }

  void Type(int id, const char* text) {
    auto* edit = o.Find<QLineEdit>(id);
    ASSERT_NE(edit, nullptr);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, QString::fromUtf8(text));
  }

  void Press(int id) {
    auto* button = o.Find<QPushButton>(id);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
  }

  std::vector<std::string> Row(int r) {
    std::vector<std::string> cells;
    for (int c = 0; c < 8; ++c)
      cells.push_back(o.platform.ListView(IDC_SECTION_LIST).GetItemText(r, c));
    return cells;
  }

  OpenDialog o;
  int savedInterval = 400;
};

TEST_F(EnterByClicking, ThreeSectionsThenComputeGrossAndNet) {
  // 0-5 km, arriving at 25:00.
  Type(IDC_END_KM, "5");
  Choose(IDC_ARR_MIN, 25);
  Press(IDC_APPEND);
  // Input assist proposed 5-10 km and 50:00; a minute lost, arriving 52:00.
  EXPECT_EQ(o.Find<QLineEdit>(IDC_START_KM)->text().toStdString(), "5");
  EXPECT_EQ(o.Find<QLineEdit>(IDC_END_KM)->text().toStdString(), "10");
  EXPECT_EQ(o.Find<QComboBox>(IDC_ARR_MIN)->currentIndex(), 50);
  Choose(IDC_LOSS_MIN, 1);
  Choose(IDC_ARR_MIN, 52);
  Press(IDC_APPEND);
  // 10-15 km as proposed, no loss, arriving 1:17:30.
  EXPECT_EQ(o.Find<QLineEdit>(IDC_END_KM)->text().toStdString(), "15");
  Choose(IDC_LOSS_MIN, 0);
  Choose(IDC_ARR_HOUR, 1);
  Choose(IDC_ARR_MIN, 17);
  Choose(IDC_ARR_SEC, 30);
  Press(IDC_APPEND);
  EXPECT_EQ(o.Find<QWidget>(IDC_SECTION_NO)
                ->property("text")
                .toString()
                .toStdString(),
            "4");
  EXPECT_EQ(Row(2)[0], "3");

  Press(IDC_COMPUTE);
  using Cells = std::vector<std::string>;
  EXPECT_EQ(Row(0), (Cells{"1", "0 km", "5 km", "00分00秒00", "00時00分00秒00",
                           "00時25分00秒00", "00時25分00秒00", "05分00秒00"}));
  EXPECT_EQ(Row(1), (Cells{"2", "5 km", "10 km", "01分00秒00", "00時26分00秒00",
                           "00時52分00秒00", "00時27分00秒00", "05分24秒00"}));
  EXPECT_EQ(Row(2),
            (Cells{"3", "10 km", "15 km", "00分00秒00", "00時52分00秒00",
                   "01時17分30秒00", "00時25分30秒00", "05分06秒00"}));
  EXPECT_EQ(Row(3),
            (Cells{"全区間", "0 km", "15 km", "01分00秒00", "00時00分00秒00",
                   "01時17分30秒00", "01時17分30秒00", "05分10秒00"}));

  Choose(IDC_CALC_MODE, 1);   // ネット
  Choose(IDC_SPEED_UNIT, 4);  // km/h
  Press(IDC_COMPUTE);
  EXPECT_EQ(Row(1), (Cells{"2", "5 km", "10 km", "00分00秒00", "00時25分00秒00",
                           "00時51分00秒00", "00時26分00秒00", "11.53 km/h"}));
  EXPECT_EQ(Row(2),
            (Cells{"3", "10 km", "15 km", "00分00秒00", "00時51分00秒00",
                   "01時16分30秒00", "00時25分30秒00", "11.76 km/h"}));
  EXPECT_EQ(Row(3),
            (Cells{"全区間", "0 km", "15 km", "00分00秒00", "00時00分00秒00",
                   "01時16分30秒00", "01時16分30秒00", "11.76 km/h"}));
  EXPECT_EQ(o.platform.ListView(IDC_SECTION_LIST).GetItemCount(), 4);
}

}  // namespace
}  // namespace qv::qt
