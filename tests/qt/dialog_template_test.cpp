// The dialogs built from templates 102 and 100: every control with its ID,
// kind, caption and rectangle, the tab order, the window and the fonts.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/qt/qt_controls.h"
#include "app/qt/qt_dialog.h"
#include "app/qt/qt_fonts.h"
#include "main_dialog_test_util.h"
#include "res/dialog_templates.h"

namespace qv::qt {
namespace {

using test::OpenDialog;

// Kinds as the widgets realise them.
enum class W { Group, Static, Edit, Comment, Button, Combo, List, Icon };

struct Expected {
  int id;
  W kind;
  const char* caption;
};

// Template 102 in template order, written out from the dialog's design.
const std::vector<Expected> kMainRows = {
    {-1, W::Group, "距離/経過時間の入力/修正"},
    {-1, W::Group, "出発地点"},
    {1001, W::Edit, ""},
    {-1, W::Static, "km"},
    {-1, W::Static, "ロスタイム"},
    {-1, W::Group, "到着地点"},
    {1012, W::Edit, ""},
    {-1, W::Static, "km"},
    {-1, W::Static, "到着時間"},
    {-1, W::Static, "区間ラップ"},
    {-1, W::Static, "速度（時間/距離）"},
    {1000, W::List, ""},
    {1026, W::Button, "末尾追加"},
    {1047, W::Static, ""},
    {1038, W::Button, "計算実行"},
    {1039, W::Button, "読込"},
    {1040, W::Button, "保存"},
    {1041, W::Button, "データ消去"},
    {-1, W::Static, "大会名"},
    {1042, W::Edit, ""},
    {1048, W::Static, "1"},
    {-1, W::Group, "区間"},
    {1043, W::Button, "変更"},
    {1044, W::Button, "削除"},
    {-1, W::Group, "データ入力/修正/削除"},
    {1045, W::Button, "挿入"},
    {1053, W::Button, "Window色"},
    {1055, W::Button, "印刷"},
    {1057, W::Combo, ""},
    {1058, W::Combo, ""},
    {-1, W::Static, "分"},
    {-1, W::Static, "秒"},
    {1059, W::Combo, ""},
    {1060, W::Combo, ""},
    {1061, W::Combo, ""},
    {-1, W::Static, "秒"},
    {-1, W::Static, "分"},
    {-1, W::Static, "時"},
    {1062, W::Combo, ""},
    {-1, W::Static, "0.01秒"},
    {1063, W::Combo, ""},
    {1064, W::Combo, ""},
    {1065, W::Combo, ""},
    {1066, W::Combo, ""},
    {1067, W::Combo, ""},
    {1068, W::Combo, ""},
    {1069, W::Combo, ""},
    {-1, W::Static, "時"},
    {-1, W::Static, "分"},
    {-1, W::Static, "秒"},
    {-1, W::Static, "0.01秒"},
    {-1, W::Static, "分"},
    {-1, W::Static, "秒"},
    {-1, W::Static, "0.01秒"},
    {1071, W::Combo, ""},
    {-1, W::Static, "優先する時間"},
    {1072, W::Combo, ""},
    {1073, W::Combo, ""},
    {-1, W::Static, "速度表示"},
    {-1, W::Static, "入力補助機能"},
    {1074, W::Combo, ""},
    {1075, W::Combo, ""},
    {-1, W::Static, "グラフ軸"},
    {-1, W::Static, "計算条件"},
    {1070, W::Combo, ""},
    {-1, W::Static, "0.01秒"},
    {1076, W::Comment, ""},
    {-1, W::Static,
     "コメント欄（当日の天候、体調、トピックスなど、ご自由にお書きください。"
     "行末には改行を入れてください。）"},
};

bool IsKind(const QWidget* w, W kind) {
  switch (kind) {
    case W::Group:
      return qobject_cast<const GroupFrame*>(w) != nullptr;
    case W::Static:
      return qobject_cast<const StaticControl*>(w) != nullptr;
    case W::Edit:
      return qobject_cast<const QLineEdit*>(w) != nullptr;
    case W::Comment:
      return qobject_cast<const CommentEdit*>(w) != nullptr;
    case W::Button:
      return qobject_cast<const QPushButton*>(w) != nullptr;
    case W::Combo:
      return qobject_cast<const QComboBox*>(w) != nullptr;
    case W::List:
      return qobject_cast<const QTreeWidget*>(w) != nullptr;
    case W::Icon:
      return qobject_cast<const QLabel*>(w) != nullptr &&
             !static_cast<const QLabel*>(w)->pixmap().isNull();
  }
  return false;
}

QString CaptionOf(const QWidget* w) {
  if (auto* g = qobject_cast<const GroupFrame*>(w)) return g->Caption();
  if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
  if (auto* b = qobject_cast<const QPushButton*>(w)) return b->text();
  if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
  return {};
}

void ExpectRows(const TemplateDialog& d, const std::vector<Expected>& rows) {
  ASSERT_EQ(d.ControlCount(), rows.size());
  EXPECT_EQ(d.ControlAt(rows.size()), nullptr);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE("row " + std::to_string(i) + " id " +
                 std::to_string(rows[i].id));
    const QWidget* w = d.ControlAt(i);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->property("qvControlId").toInt(), rows[i].id);
    EXPECT_TRUE(IsKind(w, rows[i].kind)) << w->metaObject()->className();
    if (rows[i].kind != W::Edit && rows[i].kind != W::Comment) {
      EXPECT_EQ(CaptionOf(w), QString::fromUtf8(rows[i].caption));
    }
    if (rows[i].id >= 0) {
      EXPECT_EQ(d.Control(rows[i].id), w);
    }
  }
}

// a * b / c rounded to nearest, for the non-negative values of a template.
int Scale(int a, int b, int c) { return (2 * a * b + c) / (2 * c); }

TEST(DialogTemplateTest, MainDialogHasEveryControlInTemplateOrder) {
  OpenDialog o;
  ExpectRows(*o.window, kMainRows);
  EXPECT_EQ(o.window->Control(4242), nullptr);
}

TEST(DialogTemplateTest, EditsAndStaticsHaveTheirStyles) {
  OpenDialog o;
  // Start and arrival points are right-aligned, the event name is not.
  for (int id : {1001, 1012}) {
    EXPECT_TRUE(o.Find<QLineEdit>(id)->alignment() & Qt::AlignRight) << id;
  }
  EXPECT_TRUE(o.Find<QLineEdit>(1042)->alignment() & Qt::AlignLeft);
  // The graph area and the section number sit in sunken frames; the
  // number is right-aligned.
  auto* graph = o.Find<StaticControl>(1047);
  auto* number = o.Find<StaticControl>(1048);
  for (StaticControl* s : {graph, number}) {
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->frameShape(), QFrame::WinPanel);
    EXPECT_EQ(s->frameShadow(), QFrame::Sunken);
  }
  EXPECT_TRUE(number->alignment() & Qt::AlignRight);
  EXPECT_TRUE(graph->text().isEmpty());
  // Plain labels have no frame.
  EXPECT_EQ(qobject_cast<QLabel*>(o.window->ControlAt(3))->frameShape(),
            QFrame::NoFrame);
}

TEST(DialogTemplateTest, AboutDialogHasIconVersionMakerLinesAndOk) {
  OpenDialog o;
  auto about = CreateAboutDialog(o.window);
  ASSERT_EQ(about->ControlCount(), 5u);
  EXPECT_TRUE(IsKind(about->ControlAt(0), W::Icon));
  EXPECT_EQ(CaptionOf(about->ControlAt(1)), QStringLiteral("Quorvane V2.01"));
  for (std::size_t i : {2u, 3u}) {
    EXPECT_TRUE(IsKind(about->ControlAt(i), W::Static));
    EXPECT_FALSE(CaptionOf(about->ControlAt(i)).isEmpty());
  }
  auto* ok = qobject_cast<QPushButton*>(about->Control(1));
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), QStringLiteral("OK"));
  EXPECT_TRUE(ok->isDefault());
  EXPECT_EQ(about->windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報 Quorvane"));
  const int bx = about->BaseUnitX();
  const int by = about->BaseUnitY();
  EXPECT_EQ(about->size(), QSize(Scale(217, bx, 4), Scale(55, by, 8)));
}

TEST(DialogTemplateTest, ControlsStandAtTheirTemplateRectangles) {
  OpenDialog o;
  MainDialog& d = *o.window;
  const int bx = d.BaseUnitX();
  const int by = d.BaseUnitY();
  // 9 pt at 96 dpi is a 12-pixel font: units in the usual range.
  EXPECT_TRUE(bx >= 5 && bx <= 9 && by >= 11 && by <= 17) << bx << " " << by;
  EXPECT_EQ(d.size(), QSize(Scale(375, bx, 4), Scale(390, by, 8)));
  EXPECT_EQ(d.minimumSize(), d.maximumSize());

  const auto& rows = MainDialogTemplate().controls;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ControlTemplate& t = rows[i];
    SCOPED_TRACE("row " + std::to_string(i));
    const QRect g = d.ControlAt(i)->geometry();
    EXPECT_EQ(g.x(), Scale(t.x, bx, 4));
    EXPECT_EQ(g.y(), Scale(t.y, by, 8));
    if (t.kind == ControlKind::ComboBox) {
      // The template gives the open list's height; closed, one line.
      EXPECT_EQ(g.width(), Scale(t.w, bx, 4));
      EXPECT_LT(g.height(), Scale(t.h, by, 8));
      EXPECT_GE(g.height(), d.fontMetrics().height());
    } else if (t.kind == ControlKind::Static) {
      EXPECT_GE(g.width(), Scale(t.w, bx, 4));
      EXPECT_EQ(g.height(), Scale(t.h, by, 8));
    } else {
      EXPECT_EQ(g.size(), QSize(Scale(t.w, bx, 4), Scale(t.h, by, 8)));
    }
  }
}

TEST(DialogTemplateTest, CaptionsAreReadableAndNothingOverlaps) {
  OpenDialog o;
  MainDialog& d = *o.window;
  std::vector<QWidget*> controls;
  for (std::size_t i = 0; i < d.ControlCount(); ++i) {
    QWidget* w = d.ControlAt(i);
    SCOPED_TRACE("row " + std::to_string(i));
    if (auto* label = qobject_cast<QLabel*>(w)) {
      // The whole caption fits on its one line.
      EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()),
                label->contentsRect().width());
      EXPECT_LE(QFontMetrics(label->font()).height(),
                label->contentsRect().height());
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
      EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()),
                button->width() - 4);
    }
    if (qobject_cast<GroupFrame*>(w) == nullptr) controls.push_back(w);
  }
  // What each control shows: a label its text (its rectangle may reach
  // under the next control, as in the template), the others their area.
  auto shown = [](const QWidget* w) {
    auto* label = qobject_cast<const QLabel*>(w);
    if (label == nullptr || label->frameShape() != QFrame::NoFrame) {
      return w->geometry();
    }
    const QFontMetrics fm(label->font());
    const int width = fm.horizontalAdvance(label->text());
    const QRect g = w->geometry();
    const int left = (label->alignment() & Qt::AlignRight) != 0
                         ? g.right() + 1 - width
                         : g.left();
    return QRect(left, g.top(), width, fm.height());
  };
  for (std::size_t a = 0; a < controls.size(); ++a) {
    for (std::size_t b = a + 1; b < controls.size(); ++b) {
      EXPECT_FALSE(shown(controls[a]).intersects(shown(controls[b])))
          << controls[a]->property("qvControlId").toInt() << " "
          << CaptionOf(controls[a]).toStdString() << " / "
          << controls[b]->property("qvControlId").toInt() << " "
          << CaptionOf(controls[b]).toStdString();
    }
  }
  // A control inside a group frame stays inside it, clear of its lines.
  for (std::size_t i = 0; i < d.ControlCount(); ++i) {
    auto* frame = qobject_cast<GroupFrame*>(d.ControlAt(i));
    if (frame == nullptr) continue;
    const QRect inner = frame->geometry().adjusted(2, 2, -2, -2);
    for (QWidget* w : controls) {
      const QRect g = shown(w);
      if (!frame->geometry().contains(g.center())) continue;
      EXPECT_TRUE(inner.contains(g)) << CaptionOf(frame).toStdString() << " / "
                                     << w->property("qvControlId").toInt()
                                     << " " << CaptionOf(w).toStdString();
    }
  }
}

TEST(DialogTemplateTest, TabOrderIsTemplateOrder) {
  OpenDialog o;
  // The tab stops of template 102, in template order.
  const std::vector<int> expected = {
      1001, 1012, 1000, 1026, 1038, 1039, 1040, 1041, 1042, 1043, 1044, 1045,
      1053, 1055, 1057, 1058, 1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066,
      1067, 1068, 1069, 1071, 1072, 1073, 1074, 1075, 1070, 1076};
  std::vector<int> chain;
  QWidget* first = o.window->Control(1001);
  QWidget* w = first;
  do {
    if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->parentWidget() == o.window)
      chain.push_back(w->property("qvControlId").toInt());
    w = w->nextInFocusChain();
  } while (w != first && chain.size() < 100);
  EXPECT_EQ(chain, expected);

  // Labels, frames and the two sunken statics never take the focus.
  for (std::size_t i = 0; i < o.window->ControlCount(); ++i) {
    QWidget* c = o.window->ControlAt(i);
    if (qobject_cast<QLabel*>(c) || qobject_cast<GroupFrame*>(c)) {
      EXPECT_EQ(c->focusPolicy(), Qt::NoFocus);
    }
  }
}

TEST(DialogTemplateTest, MainWindowIsFixedCaptionedAndInTheTaskBar) {
  OpenDialog o;
  MainDialog& d = *o.window;
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Quorvane"));
  const Qt::WindowFlags f = d.windowFlags();
  EXPECT_EQ(f & Qt::WindowType_Mask, Qt::Window);  // a task-bar window
  EXPECT_TRUE(f & Qt::WindowTitleHint);
  EXPECT_TRUE(f & Qt::WindowSystemMenuHint);
  EXPECT_TRUE(f & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(f & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(d.windowIcon().isNull());
  // Centred on the screen (give or take the window frame, unknown until
  // the window is shown).
  const QRect screen = d.screen()->availableGeometry();
  const int frame = (d.frameGeometry().width() - d.width()) / 2 + 1;
  EXPECT_LE(std::abs(d.geometry().center().x() - screen.center().x()), frame);
  EXPECT_LE(std::abs(d.geometry().center().y() - screen.center().y()), frame);
}

TEST(DialogTemplateTest, DialogFontFallsBackToAJapaneseFont) {
  // The preference order, each family only where it is installed;
  // fonts-ipafont-gothic is a dependency of the program.
  const QStringList installed = QFontDatabase::families();
  ASSERT_TRUE(installed.contains(QStringLiteral("IPAPGothic")));
  QStringList expected;
  for (const char* f : {"ＭＳ Ｐゴシック", "IPAPGothic", "Noto Sans CJK JP"}) {
    if (installed.contains(QString::fromUtf8(f)))
      expected << QString::fromUtf8(f);
  }
  const QStringList families =
      FontFamiliesFor(QStringLiteral("ＭＳ Ｐゴシック"));
  EXPECT_EQ(families, expected);
  // An installed face comes first.
  EXPECT_EQ(FontFamiliesFor(QStringLiteral("IPAPGothic")).value(0),
            QStringLiteral("IPAPGothic"));
  EXPECT_EQ(FontFamiliesFor(QStringLiteral("DejaVu Sans")).value(0),
            installed.contains(QStringLiteral("DejaVu Sans"))
                ? QStringLiteral("DejaVu Sans")
                : QStringLiteral("IPAPGothic"));
  EXPECT_FALSE(FontFamiliesFor(QStringLiteral("No Such Face 42"))
                   .contains(QStringLiteral("No Such Face 42")));

  const QFont font = DialogFont();
  EXPECT_EQ(font.pointSize(), 9);
  const QString used = QFontInfo(font).family();
  EXPECT_TRUE(families.contains(used)) << used.toStdString();
  // Kanji, kana and the full-width letters of the captions all render.
  const QFontMetrics fm(font);
  for (char32_t c : {U'距', U'ロ', U'ｋ', U'（', U'0'}) {
    EXPECT_TRUE(fm.inFontUcs4(c)) << static_cast<unsigned>(c);
  }
}

TEST(DialogTemplateTest, CombosAreDropDownListsSizedByTheirDropHeight) {
  OpenDialog o;
  MainDialog& d = *o.window;
  const auto& rows = MainDialogTemplate().controls;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    auto* combo = qobject_cast<DropDownCombo*>(d.ControlAt(i));
    if (combo == nullptr) continue;
    SCOPED_TRACE("combo " + std::to_string(rows[i].id));
    EXPECT_FALSE(combo->isEditable());
    const int drop = Scale(rows[i].h, d.BaseUnitY(), 8);
    EXPECT_EQ(combo->DropHeight(), drop);
    combo->showPopup();
    const int item = combo->view()->sizeHintForRow(0);
    ASSERT_GT(item, 0);
    // Below the closed box, the open list fills the drop-down height with
    // whole entries (and never shows more entries than it has).
    const int fits = (drop - combo->height()) / item;
    EXPECT_EQ(combo->maxVisibleItems(), std::max(1, fits));
    const int shown = std::min(std::max(1, fits), combo->count());
    EXPECT_GE(combo->view()->height(), shown * item);
    EXPECT_LT(combo->view()->height(), (shown + 1) * item);
    EXPECT_LE(combo->height() + combo->view()->height(), drop + item);
    combo->hidePopup();
  }
}

}  // namespace
}  // namespace qv::qt
