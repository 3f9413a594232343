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

// Template 102 in template order.
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

}  // namespace
}  // namespace qv::qt
