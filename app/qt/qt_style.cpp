#include "app/qt/qt_style.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QStyleFactory>
#include <QStyleOptionComplex>

namespace qv::qt {

DialogStyle::DialogStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

QRect DialogStyle::subControlRect(ComplexControl control,
                                  const QStyleOptionComplex* option,
                                  SubControl subControl,
                                  const QWidget* widget) const {
  if (control == CC_ComboBox && option != nullptr) {
    // An arrow about as wide as a digit pair is high leaves room for "00".
    const QRect r = option->rect;
    const int arrow = qMax(9, (option->fontMetrics.height() * 5 + 3) / 6);
    constexpr int kFrame = 2;
    if (subControl == SC_ComboBoxArrow) {
      return visualRect(
          option->direction, r,
          QRect(r.right() - arrow + 1, r.top(), arrow, r.height()));
    }
    if (subControl == SC_ComboBoxEditField) {
      return visualRect(
          option->direction, r,
          QRect(r.left() + kFrame, r.top() + kFrame,
                r.width() - arrow - kFrame - 1, r.height() - 2 * kFrame));
    }
  }
  return QProxyStyle::subControlRect(control, option, subControl, widget);
}

int DialogStyle::styleHint(StyleHint hint, const QStyleOption* option,
                           const QWidget* widget,
                           QStyleHintReturn* returnData) const {
  // The list opens below the box and shows as many entries as the
  // template's drop-down height allows.
  if (hint == SH_ComboBox_Popup) return 0;
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

int DialogStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
  // The list's columns are as narrow as the design makes them; a cell's
  // text takes all of its width, as in a classic list view.
  if (metric == PM_FocusFrameHMargin &&
      qobject_cast<const QAbstractItemView*>(widget) != nullptr)
    return 0;
  return QProxyStyle::pixelMetric(metric, option, widget);
}

void InstallDialogStyle() {
  if (qobject_cast<DialogStyle*>(QApplication::style()) == nullptr) {
    QApplication::setStyle(new DialogStyle);
  }
}

}  // namespace qv::qt
