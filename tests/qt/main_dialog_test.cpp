// The main window on Qt: combo contents, clear, window colours, Enter and
// Escape, closing with unsaved changes, the list's click, the window menu,
// the version dialog and the graph area's kept drawing.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTextBlock>
#include <QTreeWidget>
#include <string>
#include <utility>
#include <vector>

#include "app/qt/qt_controls.h"
#include "app/qt/qt_dialog_units.h"
#include "main_dialog_test_util.h"
#include "res/resource.h"

namespace qv::qt {
namespace {

using test::ModalWatcher;
using test::OpenDialog;

// ---------------------------------------------------------------- combos

// Every combo box shows its first entry; a time list holds its own indexes
// as "%02d"; the settings hold what the core put in, in order.
void ExpectCombosAtStart(const OpenDialog& o) {
  int seen = 0;
  for (QComboBox* combo : o.window->findChildren<QComboBox*>()) {
    ++seen;
    EXPECT_EQ(combo->currentIndex(), 0);
  }
  EXPECT_EQ(seen, static_cast<int>(std::size(kTimeCombos)) + 5);
  for (const TimeCombo& t : kTimeCombos) {
    auto* combo = o.Find<QComboBox>(t.id);
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), t.count) << t.id;
    for (int k = 0; k < t.count; ++k)
      EXPECT_EQ(combo->itemText(k).toInt(), k);
    EXPECT_EQ(combo->itemText(t.count - 1).size(), 2);
  }
  EXPECT_EQ(o.Find<QComboBox>(IDC_SPEED_UNIT)->itemText(4),
            QStringLiteral("時速(km/ｈ)"));
}

TEST(MainDialogTest, CombosAreFilledAndSelectFirstEntryAtStart) {
  OpenDialog o;
  ExpectCombosAtStart(o);
}

// ---------------------------------------------------------------- clear

bool AllPixels(const QImage& image, QRgb colour) {
  const QImage img = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if ((img.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF)) return false;
  return true;
}

TEST(MainDialogTest, ClearResetsListEditsNumberCombosAndWhitensTheGraph) {
  OpenDialog o;
  IListView& list = o.platform.ListView(1000);
  list.InsertItem(0, "1");
  list.InsertItem(1, "2");
  o.platform.TextControl(1001).SetText("3.5");
  o.platform.TextControl(1012).SetText("7");
  o.platform.TextControl(1042).SetText("大会");
  o.platform.TextControl(1076).SetText("晴れ\r\n風");
  o.platform.TextControl(1048).SetText("3");
  for (QComboBox* combo : o.window->findChildren<QComboBox*>())
    combo->setCurrentIndex(1);
  auto* graph = o.Find<StaticControl>(1047);
  ASSERT_NE(graph, nullptr);
  graph->Surface().fill(Qt::red);
  graph->repaint();

  o.Find<QPushButton>(1041)->click();

  EXPECT_EQ(o.Find<QTreeWidget>(1000)->topLevelItemCount(), 0);
  EXPECT_EQ(o.Find<QLineEdit>(1001)->text(), QStringLiteral("0"));
  EXPECT_EQ(o.Find<QLineEdit>(1012)->text(), QStringLiteral("0"));
  EXPECT_EQ(o.Find<QLineEdit>(1042)->text(), QString());
  EXPECT_EQ(o.Find<CommentEdit>(1076)->toPlainText(), QString());
  EXPECT_EQ(o.Find<QLabel>(1048)->text(), QStringLiteral("1"));
  ExpectCombosAtStart(o);
  ASSERT_TRUE(graph->HasSurface());
  EXPECT_TRUE(AllPixels(graph->Surface(), qRgb(255, 255, 255)));
  // The window shows the white area inside the sunken frame.
  const QImage shown = graph->grab(graph->contentsRect()).toImage();
  EXPECT_TRUE(AllPixels(shown, qRgb(255, 255, 255)));
}

// ---------------------------------------------------------------- commands

TEST(MainDialogTest, EveryButtonRunsItsCommandOnce) {
  OpenDialog o;
  const std::vector<int> buttons = {1026, 1038, 1039, 1040, 1041,
                                    1043, 1044, 1045, 1053, 1055};
  std::vector<std::pair<int, bool>> commands;
  QObject::connect(o.window, &MainDialog::Commanded, [&](int id, bool handled) {
    commands.emplace_back(id, handled);
  });
  test::DismissModals dismiss;
  for (int id : buttons) {
    SCOPED_TRACE(id);
    auto* button = o.Find<QPushButton>(id);
    ASSERT_NE(button, nullptr);
    commands.clear();
    button->click();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].first, id);
    EXPECT_TRUE(commands[0].second);
  }
  EXPECT_TRUE(o.window->isVisible());
}

// ---------------------------------------------------------------- colours

TEST(MainDialogTest, SevenColourPressesCyclePairsZeroToFiveThenZero) {
  OpenDialog o;
  struct Pair {
    QColor background;
    QColor text;
  };
  const Pair pairs[6] = {
      {QColor(238, 238, 238), QColor(0, 0, 0)},
      {QColor(221, 255, 221), QColor(204, 51, 51)},
      {QColor(255, 255, 204), QColor(204, 51, 51)},
      {QColor(221, 221, 255), QColor(204, 51, 51)},
      {QColor(221, 170, 255), QColor(204, 51, 51)},
      {QColor(102, 102, 102), QColor(255, 255, 255)},
  };
  auto* button = o.Find<QPushButton>(1053);
  auto* label = qobject_cast<QLabel*>(o.window->ControlAt(3));  // "km"
  auto* edit = o.Find<QLineEdit>(1001);
  auto* list = o.Find<QTreeWidget>(1000);
  const QColor editBase = edit->palette().color(QPalette::Base);
  const QColor listBase = list->palette().color(QPalette::Base);
  for (int press = 0; press < 7; ++press) {
    SCOPED_TRACE("press " + std::to_string(press + 1));
    button->click();
    const Pair& p = pairs[press % 6];
    EXPECT_EQ(o.window->palette().color(QPalette::Window), p.background);
    EXPECT_EQ(o.window->palette().color(QPalette::WindowText), p.text);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), p.text);
    EXPECT_EQ(edit->palette().color(QPalette::Base), editBase);
    EXPECT_EQ(list->palette().color(QPalette::Base), listBase);
    EXPECT_EQ(o.dlg.m_nColor, (press + 1) % 6);
  }
  // The dialog's background is painted in the pair last applied (pair 0).
  const QImage shot = o.window->grab().toImage();
  EXPECT_EQ(shot.pixelColor(2, 2), pairs[0].background);
}

// ---------------------------------------------------------------- keys

// Everything a stray key could change: the tables, the settings, the list
// and the panel.
struct RaceSnapshot {
  std::vector<double> distances;
  std::vector<int> numbers;
  std::vector<std::string> texts;
  friend bool operator==(const RaceSnapshot&, const RaceSnapshot&) = default;
};

RaceSnapshot Snapshot(OpenDialog& o) {
  RaceSnapshot s;
  const CRaceDlg& d = o.dlg;
  for (int i = 0; i <= MAX_SECTIONS; ++i) {
    if (i < MAX_SECTIONS) {
      s.distances.insert(s.distances.end(), {d.m_startKm[i], d.m_endKm[i]});
      s.numbers.insert(s.numbers.end(), {d.m_arrival[i], d.m_departure[i],
                                         d.m_loss[i], d.m_lap[i], d.m_pace[i]});
    }
    s.numbers.insert(s.numbers.end(), {d.m_calcArrival[i], d.m_calcLap[i]});
  }
  s.numbers.insert(s.numbers.end(),
                   {d.m_nSections, d.m_nInputIndex, d.m_nSelected,
                    d.m_nPriority, d.m_nCalcMode, d.m_nSpeedUnit,
                    d.m_nInputAssist, d.m_nGraphAxis, d.IsModified()});
  for (QComboBox* combo : o.window->findChildren<QComboBox*>())
    s.numbers.push_back(combo->currentIndex());
  for (int id : {1001, 1012, 1042, 1048, 1076})
    s.texts.push_back(o.platform.TextControl(id).GetText());
  auto* list = o.Find<QTreeWidget>(1000);
  for (int r = 0; r < list->topLevelItemCount(); ++r)
    for (int c = 0; c < list->columnCount(); ++c)
      s.texts.push_back(list->topLevelItem(r)->text(c).toStdString());
  return s;
}

// Enter (the main key and the keypad's) reaches the dialog only through the
// focused control: a push button runs its own command, everything else
// leaves the race as it was.
TEST(MainDialogTest, EnterChangesNothingButAFocusedButtonsCommand) {
  struct Case {
    int id;
    const char* what;
    int addedSections;  // by the focused button's own command
    int colourPresses;
  };
  const Case cases[] = {
      {1001, "start point edit", 0, 0},   {1012, "arrival point edit", 0, 0},
      {1042, "event name edit", 0, 0},    {1057, "number list", 0, 0},
      {1071, "priority list", 0, 0},      {1073, "input assist list", 0, 0},
      {1000, "section list", 0, 0},       {1053, "colour button", 0, 2},
      {1026, "append button", 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenDialog o;
    // A computed two-section race with its first row selected.
    o.platform.TextControl(1012).SetText("5");
    o.platform.ComboBox(1060).SetCurSel(20);
    o.dlg.OnAppend();
    o.platform.TextControl(1012).SetText("10");
    o.dlg.OnAppend();
    o.dlg.OnCompute();
    o.Find<QTreeWidget>(1000)->topLevelItem(0)->setSelected(true);
    o.dlg.m_nSelected = 0;
    o.platform.TextControl(1042).SetText("大会");
    const RaceSnapshot before = Snapshot(o);
    const int sections = o.dlg.m_nSections;

    o.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(o.window));
    QWidget* w = o.window->Control(c.id);
    w->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(w->hasFocus());
    QTest::keyClick(w, Qt::Key_Return);
    QTest::keyClick(w, Qt::Key_Enter, Qt::KeypadModifier);

    EXPECT_TRUE(o.window->isVisible());
    EXPECT_EQ(o.dlg.m_nColor, c.colourPresses);
    EXPECT_EQ(o.dlg.m_nSections, sections + c.addedSections);
    if (c.addedSections == 0) {
      EXPECT_TRUE(Snapshot(o) == before);
    }
  }
}

TEST(MainDialogTest, CommentTakesEnterAsALineBreakAndTabMovesOn) {
  OpenDialog o;
  auto* comment = o.Find<CommentEdit>(1076);
  comment->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(comment, "ab");
  QTest::keyClick(comment, Qt::Key_Return);
  QTest::keyClicks(comment, "c");
  EXPECT_EQ(o.platform.TextControl(1076).GetText(), "ab\r\nc");
  EXPECT_TRUE(o.window->isVisible());
  QTest::keyClick(comment, Qt::Key_Tab);
  EXPECT_FALSE(comment->hasFocus());
  EXPECT_EQ(o.platform.TextControl(1076).GetText(), "ab\r\nc");
}

// Texts of any length come back whole from the window's edits, and a very
// long comment line is held in pieces the text layout handles quickly.
TEST(MainDialogTest, LongTextsComeBackWhole) {
  OpenDialog o;
  struct Case {
    int id;
    std::string text;
  };
  std::string longLines;
  for (int k = 0; k < 300; ++k) longLines += std::string(k * 37, 'y') + "\r\n";
  std::string blankLines;
  for (int k = 0; k < 100000; ++k) blankLines += "\r\n";
  const Case cases[] = {
      {1042, std::string(40000, 'n')},
      {1042, std::string(20000, 'a') + "大会"},
      {1042, std::string(300000, 'a') + "大会"},  // shown in part
      {1076, std::string(100000, 'c')},
      {1076, "晴れ\r\n" + std::string(9000, 'w') + "\r\n\r\n" + "風"},
      {1076, longLines},
      {1076, blankLines},
  };
  auto* comment = o.Find<CommentEdit>(1076);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.id) + " " + std::to_string(c.text.size()));
    ITextControl& control = o.platform.TextControl(c.id);
    control.SetText(c.text);
    EXPECT_EQ(control.GetText(), c.text);
    const QTextDocument* doc = comment->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
      ASSERT_LE(b.length(), CommentEdit::kPieceLength + 1);
    EXPECT_LE(doc->blockCount(),
              2 * static_cast<int>(c.text.size()) / CommentEdit::kPieceLength + 2);
  }
  // A name too long to edit makes the edit read-only until a shorter one.
  auto* name = o.Find<QLineEdit>(1042);
  EXPECT_TRUE(name->isReadOnly());
  o.platform.TextControl(1042).SetText("大会");
  EXPECT_FALSE(name->isReadOnly());
}

// The three ways to close the window: Escape, the close button and the
// window menu's first item.
void CloseBy(int way, OpenDialog& o) {
  if (way == 0) QTest::keyClick(o.window->Control(1042), Qt::Key_Escape);
  if (way == 1) o.window->close();
  if (way == 2) o.window->WindowMenu().actions().first()->trigger();
}

TEST(MainDialogTest, ClosingWithNothingUnsavedAsksNothing) {
  for (int way : {0, 1, 2}) {
    SCOPED_TRACE(way);
    OpenDialog o;
    // Texts the program sets are no edits of the user.
    o.platform.TextControl(1042).SetText("大会");
    o.platform.TextControl(1076).SetText("a\nb");
    EXPECT_FALSE(o.dlg.IsModified());
    ModalWatcher watch([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); },
                       300);
    CloseBy(way, o);
    EXPECT_FALSE(o.window->isVisible());
    if (way == 0) {
      EXPECT_EQ(o.window->result(), 2);  // IDCANCEL
    }
    EXPECT_EQ(watch.Seen(), 0);
  }
}

// Answers the next question with `button` and records its text.
struct Answer {
  QMessageBox::StandardButton button;
  QString question;
  int asked = 0;
  ModalWatcher watch{[this](QWidget* w) {
    ++asked;
    auto* box = qobject_cast<QMessageBox*>(w);
    if (box == nullptr) {
      QTest::keyClick(w, Qt::Key_Escape);
      return;
    }
    question = box->text();
    box->button(button)->click();
  }};
  explicit Answer(QMessageBox::StandardButton b) : button(b) {}
};

TEST(MainDialogTest, ClosingWithUnsavedChangesAsksFirst) {
  for (int way : {0, 1, 2}) {
    SCOPED_TRACE(way);
    OpenDialog o;
    QTest::keyClicks(o.window->Control(1042), "Tokyo");
    QTest::keyClicks(o.Find<CommentEdit>(1076), "rain");
    EXPECT_TRUE(o.dlg.IsModified());
    for (auto button : {QMessageBox::No, QMessageBox::Yes}) {
      Answer answer(button);
      CloseBy(way, o);
      EXPECT_EQ(answer.asked, 1);
      EXPECT_EQ(
          answer.question,
          QStringLiteral("保存されていない変更があります。終了しますか？"));
      EXPECT_EQ(o.window->isVisible(), button == QMessageBox::No);
    }
  }
}

TEST(MainDialogTest, RunModalReturnsWhenEscapeEndsTheDialog) {
  qt::Platform platform;
  CRaceDlg dlg(platform);
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    QTest::keyClick(modal, Qt::Key_Escape);
  });
  EXPECT_EQ(platform.RunModal(dlg), 2);  // IDCANCEL
}

// ---------------------------------------------------------------- the list

struct ClickRecord {
  int id;
  long result;
  int firstSelected;
};

TEST(MainDialogTest, EveryClickInTheListReachesItsHandlerAfterSelection) {
  OpenDialog o;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(o.window));
  IListView& list = o.platform.ListView(1000);
  for (int i = 0; i < 3; ++i) list.InsertItem(i, std::to_string(i + 1));
  auto* tree = o.Find<QTreeWidget>(1000);

  std::vector<ClickRecord> clicks;
  QObject::connect(o.window, &MainDialog::Notified, [&](int id, long result) {
    clicks.push_back({id, result, list.GetFirstSelected()});
  });

  const QPoint onRow = tree->visualItemRect(tree->topLevelItem(1)).center();
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, onRow);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].id, 1000);
  EXPECT_EQ(clicks[0].result, 0);  // the handler ran and answered 0
  EXPECT_EQ(clicks[0].firstSelected, 1);

  const QPoint empty(10, tree->viewport()->height() - 4);
  ASSERT_EQ(tree->itemAt(empty), nullptr);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, empty);
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(clicks[1].result, 0);
  EXPECT_EQ(clicks[1].firstSelected, -1);

  // Rows 0 and 2 selected; a plain click on row 2 narrows the selection to
  // row 2 only when the button comes up, and the handler sees that.
  auto centre = [&](int row) {
    return tree->visualItemRect(tree->topLevelItem(row)).center();
  };
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, centre(0));
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    centre(2));
  ASSERT_EQ(clicks.size(), 4u);
  EXPECT_EQ(clicks[3].firstSelected, 0);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, centre(2));
  ASSERT_EQ(clicks.size(), 5u);
  EXPECT_EQ(clicks[4].firstSelected, 2);
  // A click in a cell selects the whole row.
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                    QPoint(tree->columnViewportPosition(5) + 3, centre(0).y()));
  ASSERT_EQ(clicks.size(), 6u);
  EXPECT_EQ(clicks[5].firstSelected, 0);
  EXPECT_EQ(tree->selectionModel()->selectedIndexes().size(), 8);

  // Keyboard moves do not notify.
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_Down);
  EXPECT_EQ(clicks.size(), 6u);
}

// ---------------------------------------------------------------- window menu

TEST(MainDialogTest, WindowMenuEndsWithTheVersionItemBelowASeparator) {
  OpenDialog o;
  const QList<QAction*> actions = o.window->WindowMenu().actions();
  ASSERT_GE(actions.size(), 3);
  EXPECT_EQ(actions.first()->text(), QStringLiteral("閉じる(&C)"));
  EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
  EXPECT_EQ(actions.last()->text(),
            QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(Quorvane) (&A)..."));

  QString title;
  QStringList texts;
  bool okIsDefault = false;
  {
    ModalWatcher watch([&](QWidget* w) {
      title = w->windowTitle();
      for (QLabel* l : w->findChildren<QLabel*>()) texts << l->text();
      for (QPushButton* b : w->findChildren<QPushButton*>()) {
        if (b->text() != QStringLiteral("OK")) continue;
        okIsDefault = b->isDefault();
        b->click();  // closes the dialog
      }
    });
    actions.last()->trigger();
    EXPECT_EQ(watch.Seen(), 1);
  }
  EXPECT_EQ(title, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報 Quorvane"));
  EXPECT_TRUE(texts.contains(QStringLiteral("Quorvane V2.01")));
  EXPECT_TRUE(okIsDefault);
  EXPECT_TRUE(o.window->isVisible());
}

// The comparison comes and goes through the window menu; its drop item is
// there only while a race is compared with.
TEST(MainDialogTest, WindowMenuChoosesAndDropsTheComparison) {
  OpenDialog o;
  QMenu& menu = o.window->WindowMenu();
  QAction* open = nullptr;
  QAction* drop = nullptr;
  for (QAction* a : menu.actions()) {
    if (a->text() == QStringLiteral("比較するレースを開く…")) open = a;
    if (a->text() == QStringLiteral("比較をやめる")) drop = a;
  }
  ASSERT_NE(open, nullptr);
  ASSERT_NE(drop, nullptr);
  emit menu.aboutToShow();
  EXPECT_FALSE(drop->isEnabled());
  {
    // The file dialog opens; cancelling it chooses nothing.
    test::DismissModals dismiss;
    open->trigger();
    EXPECT_EQ(dismiss.Count(), 1);
  }
  EXPECT_FALSE(o.dlg.HasComparison());
  ASSERT_TRUE(o.dlg.LoadComparison(QV_SOURCE_DIR "/examples/plan-10km-even.txt"));
  emit menu.aboutToShow();
  EXPECT_TRUE(drop->isEnabled());
  drop->trigger();
  EXPECT_FALSE(o.dlg.HasComparison());
}

TEST(MainDialogTest, OnlyTheVersionSystemCommandOpensADialog) {
  OpenDialog o;
  for (int command : {0x0010, 0xF060}) {
    ModalWatcher watch([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); },
                       command == 0x0010 ? 5000 : 200);
    o.dlg.OnSysCommand(command);
    EXPECT_EQ(watch.Seen(), command == 0x0010 ? 1 : 0) << command;
  }
}

// ---------------------------------------------------------------- graph area

TEST(MainDialogTest, GraphAreaKeepsItsPictureWhenRepaintedOrHidden) {
  OpenDialog o;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(o.window));
  auto* graph = o.Find<StaticControl>(1047);
  {
    QPainter p(&graph->Surface());
    p.fillRect(QRect(0, 0, 10, 10), Qt::blue);
  }
  graph->update();
  auto pixelAt = [&](int x, int y) {
    return graph->grab().toImage().pixelColor(graph->contentsRect().topLeft() +
                                              QPoint(x, y));
  };
  EXPECT_EQ(pixelAt(5, 5), QColor(Qt::blue));
  EXPECT_EQ(pixelAt(50, 50), QColor(Qt::white));

  o.window->hide();
  o.window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(o.window));
  o.window->repaint();
  EXPECT_EQ(pixelAt(5, 5), QColor(Qt::blue));
  // A colour change repaints the dialog but not the picture.
  o.Find<QPushButton>(1053)->click();
  EXPECT_EQ(pixelAt(5, 5), QColor(Qt::blue));
  EXPECT_EQ(pixelAt(50, 50), QColor(Qt::white));
}

}  // namespace
}  // namespace qv::qt
