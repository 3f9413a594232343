// The main window on Qt: built from its template, Enter and Escape, the
// comment's keys, long texts, closing, the list's click, the window menu
// and the graph area's kept drawing.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "app/qt/qt_controls.h"
#include "main_dialog_test_util.h"
#include "res/dialog_templates.h"
#include "res/resource.h"

namespace qv::qt {
namespace {

using test::Modals;
using test::OpenDialog;

int IdOf(const QWidget* w) { return w->property("qvControlId").toInt(); }

const QMetaObject& WidgetOf(const ControlTemplate& row) {
  switch (row.kind) {
    case ControlKind::GroupBox: return GroupFrame::staticMetaObject;
    case ControlKind::Static: return StaticControl::staticMetaObject;
    case ControlKind::Edit:
      return (row.styles & ctl::kMultiline) != 0 ? CommentEdit::staticMetaObject
                                                 : QLineEdit::staticMetaObject;
    case ControlKind::PushButton: return QPushButton::staticMetaObject;
    case ControlKind::ComboBox: return QComboBox::staticMetaObject;
    case ControlKind::ListView: return QTreeWidget::staticMetaObject;
    case ControlKind::Icon: return QLabel::staticMetaObject;
  }
  return QObject::staticMetaObject;
}

QString CaptionOf(const QWidget* w) {
  if (auto* g = qobject_cast<const GroupFrame*>(w)) return g->Caption();
  if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
  if (auto* b = qobject_cast<const QPushButton*>(w)) return b->text();
  return {};
}

// What a control shows: a frameless label its text (its rectangle may reach
// under the next control, as in the template), the others their area.
QRect Shown(const QWidget* w) {
  auto* label = qobject_cast<const QLabel*>(w);
  if (label == nullptr || label->frameShape() != QFrame::NoFrame) return w->geometry();
  const QFontMetrics fm(label->font());
  const int width = fm.horizontalAdvance(label->text());
  const QRect g = w->geometry();
  const bool right = (label->alignment() & Qt::AlignRight) != 0;
  return QRect(right ? g.right() + 1 - width : g.left(), g.top(), width, fm.height());
}

// Each template row becomes one widget of its kind with its ID and caption,
// in template order; Tab visits the tab stops in that order; captions fit,
// no two controls overlap, and a control in a group frame clears its lines.
TEST(DialogTemplateTest, TheWindowFollowsItsTemplate) {
  OpenDialog o;
  const auto rows = MainDialogTemplate().controls;
  ASSERT_EQ(o.window->ControlCount(), rows.size());
  std::vector<int> tabStops;
  std::vector<QWidget*> frames, controls;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    QWidget* w = o.window->ControlAt(i);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(IdOf(w), rows[i].id);
    EXPECT_TRUE(w->metaObject()->inherits(&WidgetOf(rows[i])));
    if (rows[i].kind == ControlKind::Icon) {
      EXPECT_FALSE(static_cast<QLabel*>(w)->pixmap().isNull());
    } else if (rows[i].kind != ControlKind::Edit) {
      EXPECT_EQ(CaptionOf(w), QString::fromUtf8(rows[i].caption));
    }
    if ((rows[i].styles & ctl::kTabStop) != 0) tabStops.push_back(rows[i].id);
    if (!CaptionOf(w).isEmpty() && rows[i].kind != ControlKind::GroupBox) {
      EXPECT_LE(QFontMetrics(w->font()).horizontalAdvance(CaptionOf(w)),
                w->contentsRect().width() - (qobject_cast<QPushButton*>(w) ? 4 : 0));
      EXPECT_LE(QFontMetrics(w->font()).height(), w->contentsRect().height());
    }
    (rows[i].kind == ControlKind::GroupBox ? frames : controls).push_back(w);
  }
  for (std::size_t a = 0; a < controls.size(); ++a)
    for (std::size_t b = a + 1; b < controls.size(); ++b)
      EXPECT_FALSE(Shown(controls[a]).intersects(Shown(controls[b])))
          << IdOf(controls[a]) << " " << CaptionOf(controls[a]).toStdString()
          << " / " << IdOf(controls[b]) << " " << CaptionOf(controls[b]).toStdString();
  for (QWidget* frame : frames)
    for (QWidget* w : controls)
      EXPECT_TRUE(!frame->geometry().contains(Shown(w).center()) ||
                  frame->geometry().adjusted(2, 2, -2, -2).contains(Shown(w)))
            << CaptionOf(frame).toStdString() << " / " << IdOf(w);

  std::vector<int> chain;
  QWidget* first = o.window->Control(tabStops.front());
  QWidget* w = first;
  do {
    if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->parentWidget() == o.window)
      chain.push_back(IdOf(w));
    w = w->nextInFocusChain();
  } while (w != first && chain.size() < 100);
  EXPECT_EQ(chain, tabStops);
}

// Everything a stray key could change, as the window shows it.
QStringList State(const OpenDialog& o) {
  QStringList s;
  for (int n : {o.dlg.m_nSections, o.dlg.m_nSelected, o.dlg.m_nColor, int{o.dlg.IsModified()}})
    s << QString::number(n);
  for (std::size_t i = 0; i < o.window->ControlCount(); ++i) {
    QWidget* w = o.window->ControlAt(i);
    if (auto* e = qobject_cast<QLineEdit*>(w)) s << e->text();
    if (auto* l = qobject_cast<QLabel*>(w)) s << l->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) s << QString::number(c->currentIndex());
    if (auto* c = qobject_cast<CommentEdit*>(w)) s << c->CrLfText();
    if (auto* t = qobject_cast<QTreeWidget*>(w))
      for (int r = 0; r < t->topLevelItemCount(); ++r)
        for (int c = 0; c < t->columnCount(); ++c)
          s << t->topLevelItem(r)->text(c) + (t->topLevelItem(r)->isSelected() ? "*" : "");
  }
  return s;
}

// A computed two-section race, its first row selected, a name given.
void Prepare(OpenDialog& o) {
  for (const char* km : {"5", "10"}) {
    o.platform.TextControl(IDC_END_KM).SetText(km);
    o.platform.ComboBox(IDC_ARR_MIN).SetCurSel(20);
    o.dlg.OnAppend();
  }
  o.dlg.OnCompute();
  o.Find<QTreeWidget>(IDC_SECTION_LIST)->topLevelItem(0)->setSelected(true);
  o.dlg.m_nSelected = 0;
  o.platform.TextControl(IDC_EVENT_NAME).SetText("大会");
}

// Enter and the keypad's Enter, on any control, do what two clicks on a
// focused push button do and nothing anywhere else: no button is the
// dialog's default.
TEST(MainDialogTest, EnterOnlyPressesAFocusedButton) {
  Modals modals;  // the file and print dialogs some buttons open
  for (const ControlTemplate& row : MainDialogTemplate().controls) {
    if ((row.styles & ctl::kTabStop) == 0 || row.id == IDC_COMMENT) continue;
    SCOPED_TRACE(row.id);
    OpenDialog o, twin;
    Prepare(o);
    Prepare(twin);
    if (auto* button = twin.Find<QPushButton>(row.id)) {
      EXPECT_FALSE(button->isDefault() || button->autoDefault());
      button->click();
      button->click();
    }
    o.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(o.window));
    QWidget* w = o.Find(row.id);
    w->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(w->hasFocus());
    QTest::keyClick(w, Qt::Key_Return);
    QTest::keyClick(w, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(o.window->isVisible());
    EXPECT_EQ(State(o), State(twin));
  }
}

TEST(MainDialogTest, CommentTakesEnterAsALineBreakAndTabMovesOn) {
  OpenDialog o;
  auto* comment = o.Find<CommentEdit>(IDC_COMMENT);
  comment->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(comment, "ab");
  QTest::keyClick(comment, Qt::Key_Return);
  QTest::keyClicks(comment, "c");
  QTest::keyClick(comment, Qt::Key_Tab);
  EXPECT_FALSE(comment->hasFocus());
  EXPECT_TRUE(o.window->isVisible());
  EXPECT_EQ(o.platform.TextControl(IDC_COMMENT).GetText(), "ab\r\nc");
}

// Texts of any length come back whole, and a long comment line is held in
// pieces the text layout handles quickly.
TEST(MainDialogTest, LongTextsComeBackWhole) {
  OpenDialog o;
  std::string longLines, blankLines;
  for (int k = 0; k < 300; ++k) longLines += std::string(k * 37, 'y') + "\r\n";
  for (int k = 0; k < 100000; ++k) blankLines += "\r\n";
  const struct {
    int id;
    std::string text;
  } cases[] = {
      {IDC_EVENT_NAME, std::string(40000, 'n')},
      {IDC_EVENT_NAME, std::string(300000, 'a') + "大会"},  // shown in part
      {IDC_COMMENT, std::string(100000, 'c')},
      {IDC_COMMENT, "晴れ\r\n" + std::string(9000, 'w') + "\r\n\r\n風"},
      {IDC_COMMENT, longLines},
      {IDC_COMMENT, blankLines},
  };
  const QTextDocument* doc = o.Find<CommentEdit>(IDC_COMMENT)->document();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.id) + " " + std::to_string(c.text.size()));
    ITextControl& control = o.platform.TextControl(c.id);
    control.SetText(c.text);
    EXPECT_EQ(control.GetText(), c.text);
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
      ASSERT_LE(b.length(), CommentEdit::kPieceLength + 1);
    EXPECT_LE(doc->blockCount(), 2 * int(c.text.size()) / CommentEdit::kPieceLength + 2);
  }
  // A name too long to edit leaves the edit read-only until a shorter one.
  EXPECT_TRUE(o.Find<QLineEdit>(IDC_EVENT_NAME)->isReadOnly());
  o.platform.TextControl(IDC_EVENT_NAME).SetText("大会");
  EXPECT_FALSE(o.Find<QLineEdit>(IDC_EVENT_NAME)->isReadOnly());
}

// Escape, the close button and the window menu's close item ask first when
// the user has typed something (No keeps the window open), and only then.
TEST(MainDialogTest, ClosingAsksFirstOnlyWithUnsavedEdits) {
  const QStringList asked{QStringLiteral("保存されていない変更があります。終了しますか？")};
  for (int way = 0; way < 3; ++way) {
    for (int typedInto : {0, IDC_EVENT_NAME, IDC_COMMENT}) {
      SCOPED_TRACE(std::to_string(way) + " " + std::to_string(typedInto));
      OpenDialog o;
      o.platform.TextControl(IDC_COMMENT).SetText("a\nb");  // not the user's
      if (typedInto != 0) QTest::keyClicks(o.Find(typedInto), "Tokyo");
      for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        Modals modals(answer);
        if (way == 0) QTest::keyClick(o.Find(IDC_EVENT_NAME), Qt::Key_Escape);
        if (way == 1) o.window->close();
        if (way == 2) o.window->WindowMenu().actions().first()->trigger();
        EXPECT_EQ(modals.texts, typedInto != 0 ? asked : QStringList());
        EXPECT_EQ(o.window->isVisible(), typedInto != 0 && answer == QMessageBox::No);
        if (!o.window->isVisible()) break;
      }
      EXPECT_EQ(o.window->result(), IDCANCEL);
    }
  }
}

TEST(MainDialogTest, RunModalReturnsWhenEscapeEndsTheDialog) {
  qt::Platform platform;
  CRaceDlg dlg(platform);
  QTimer::singleShot(0, [] {
    QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
  });
  EXPECT_EQ(platform.RunModal(dlg), IDCANCEL);
}

// A click in the list, on a row or below the rows, reaches the handler once
// the selection has changed; a cell's click selects the whole row.
TEST(MainDialogTest, TheListsClickFollowsTheSelection) {
  OpenDialog o;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(o.window));
  IListView& list = o.platform.ListView(IDC_SECTION_LIST);
  for (int i = 0; i < 3; ++i) list.InsertItem(i, std::to_string(i + 1));
  auto* tree = o.Find<QTreeWidget>(IDC_SECTION_LIST);
  std::vector<int> seen;
  QObject::connect(o.window, &MainDialog::Notified, [&](int id, long result) {
    EXPECT_EQ(id, IDC_SECTION_LIST);
    EXPECT_EQ(result, 0);  // the handler ran
    seen.push_back(list.GetFirstSelected());
  });
  auto at = [&](int row, int column) {
    return QPoint(tree->columnViewportPosition(column) + 3,
                  row < 0 ? tree->viewport()->height() - 4
                          : tree->visualItemRect(tree->topLevelItem(row)).center().y());
  };
  const struct {
    int row, column;
    Qt::KeyboardModifiers keys;
  } clicks[] = {{1, 0, {}}, {-1, 0, {}}, {0, 0, {}}, {2, 0, Qt::ControlModifier},
                {2, 0, {}}, {0, 5, {}}};
  for (const auto& c : clicks) QTest::mouseClick(tree->viewport(), Qt::LeftButton, c.keys, at(c.row, c.column));
  EXPECT_EQ(seen, (std::vector<int>{1, -1, 0, 0, 2, 0}));
  EXPECT_EQ(tree->selectionModel()->selectedIndexes().size(), tree->columnCount());
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_Down);  // keyboard moves do not notify
  EXPECT_EQ(seen.size(), 6u);
}

// The window menu: the close item first, the version item last below a
// separator, and the comparison chosen and dropped (the drop item only
// while there is one).
TEST(MainDialogTest, WindowMenu) {
  OpenDialog o;
  QMenu& menu = o.window->WindowMenu();
  const QList<QAction*> actions = menu.actions();
  ASSERT_GE(actions.size(), 3);
  EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
  bool okIsDefault = false;
  {
    Modals modals(QMessageBox::No, [&](QDialog* d) {
      for (QPushButton* b : d->findChildren<QPushButton*>()) okIsDefault |= b->isDefault();
      QTest::keyClick(d, Qt::Key_Escape);
    });
    actions.last()->trigger();
    EXPECT_EQ(modals.seen, 1);
  }
  EXPECT_TRUE(okIsDefault);
  EXPECT_TRUE(o.window->isVisible());

  QAction* open = nullptr;
  QAction* drop = nullptr;
  for (QAction* a : actions) {
    if (a->text() == QStringLiteral("比較するレースを開く…")) open = a;
    if (a->text() == QStringLiteral("比較をやめる")) drop = a;
  }
  ASSERT_TRUE(open && drop);
  emit menu.aboutToShow();
  EXPECT_FALSE(drop->isEnabled());
  {
    Modals modals;  // the file dialog, cancelled
    open->trigger();
    EXPECT_EQ(modals.seen, 1);
  }
  EXPECT_FALSE(o.dlg.HasComparison());
  ASSERT_TRUE(o.dlg.LoadComparison(QV_SOURCE_DIR "/examples/plan-10km-even.txt"));
  emit menu.aboutToShow();
  EXPECT_TRUE(drop->isEnabled());
  drop->trigger();
  EXPECT_FALSE(o.dlg.HasComparison());
}

// The graph area shows its kept drawing after being hidden, repainted or
// recoloured.
TEST(MainDialogTest, GraphAreaKeepsItsPicture) {
  OpenDialog o;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(o.window));
  auto* graph = o.Find<StaticControl>(IDC_GRAPH);
  QPainter(&graph->Surface()).fillRect(QRect(0, 0, 10, 10), Qt::blue);
  graph->update();
  auto pixelAt = [&](int x, int y) {
    return graph->grab().toImage().pixelColor(graph->contentsRect().topLeft() + QPoint(x, y));
  };
  EXPECT_EQ(pixelAt(5, 5), QColor(Qt::blue));
  o.window->hide();
  o.window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(o.window));
  o.window->repaint();
  EXPECT_EQ(pixelAt(5, 5), QColor(Qt::blue));
  const QColor background = o.window->palette().color(QPalette::Window);
  o.Find<QPushButton>(IDC_WINDOW_COLOR)->click();
  EXPECT_NE(o.window->palette().color(QPalette::Window), background);
  EXPECT_EQ(pixelAt(5, 5), QColor(Qt::blue));
  EXPECT_EQ(pixelAt(50, 50), QColor(Qt::white));
}

}  // namespace
}  // namespace qv::qt
