// The main dialog built from template 102: each row's widget, captions that
// fit, nothing overlapping, the tab order.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "app/qt/qt_controls.h"
#include "app/qt/qt_dialog.h"
#include "main_dialog_test_util.h"
#include "res/dialog_templates.h"

namespace qv::qt {
namespace {

using test::OpenDialog;

// The widget a template row becomes.
bool IsKind(const QWidget* w, ControlKind kind, unsigned styles) {
  switch (kind) {
    case ControlKind::GroupBox:
      return qobject_cast<const GroupFrame*>(w) != nullptr;
    case ControlKind::Static:
      return qobject_cast<const StaticControl*>(w) != nullptr;
    case ControlKind::Edit:
      return (styles & ctl::kMultiline) != 0
                 ? qobject_cast<const CommentEdit*>(w) != nullptr
                 : qobject_cast<const QLineEdit*>(w) != nullptr;
    case ControlKind::PushButton:
      return qobject_cast<const QPushButton*>(w) != nullptr;
    case ControlKind::ComboBox:
      return qobject_cast<const QComboBox*>(w) != nullptr;
    case ControlKind::ListView:
      return qobject_cast<const QTreeWidget*>(w) != nullptr;
    case ControlKind::Icon:
      return qobject_cast<const QLabel*>(w) != nullptr &&
             !static_cast<const QLabel*>(w)->pixmap().isNull();
  }
  return false;
}

QString CaptionOf(const QWidget* w) {
  if (auto* g = qobject_cast<const GroupFrame*>(w)) return g->Caption();
  if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
  if (auto* b = qobject_cast<const QPushButton*>(w)) return b->text();
  return {};
}

// Each row of template 102 becomes one widget of its kind, with its ID and
// caption, in template order.
TEST(DialogTemplateTest, MainDialogHasEveryControlInTemplateOrder) {
  OpenDialog o;
  const auto rows = MainDialogTemplate().controls;
  ASSERT_EQ(o.window->ControlCount(), rows.size());
  EXPECT_EQ(o.window->ControlAt(rows.size()), nullptr);
  EXPECT_EQ(o.window->Control(4242), nullptr);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    const QWidget* w = o.window->ControlAt(i);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->property("qvControlId").toInt(), rows[i].id);
    EXPECT_TRUE(IsKind(w, rows[i].kind, rows[i].styles))
        << w->metaObject()->className();
    if (rows[i].kind != ControlKind::Edit && rows[i].kind != ControlKind::Icon) {
      EXPECT_EQ(CaptionOf(w), QString::fromUtf8(rows[i].caption));
    }
    if (rows[i].id >= 0) {
      EXPECT_EQ(o.window->Control(rows[i].id), w);
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

// Tab goes through the rows with a tab stop, in template order; nothing
// else takes the focus.
TEST(DialogTemplateTest, TabOrderIsTemplateOrder) {
  OpenDialog o;
  std::vector<int> expected;
  for (const ControlTemplate& row : MainDialogTemplate().controls)
    if ((row.styles & ctl::kTabStop) != 0) expected.push_back(row.id);
  ASSERT_FALSE(expected.empty());
  std::vector<int> chain;
  QWidget* first = o.window->Control(expected.front());
  QWidget* w = first;
  do {
    if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->parentWidget() == o.window)
      chain.push_back(w->property("qvControlId").toInt());
    w = w->nextInFocusChain();
  } while (w != first && chain.size() < 100);
  EXPECT_EQ(chain, expected);
}

}  // namespace
}  // namespace qv::qt
