// The widget style of the program: Fusion, with the few changes the dialog
// templates need. Their combo boxes are 20 dialog units wide, too narrow for
// Fusion's arrow button next to a two-digit number, and their drop-down
// heights assume a list that opens below the box.
#pragma once

#include <QProxyStyle>

namespace qv::qt {

class DialogStyle final : public QProxyStyle {
  Q_OBJECT
 public:
  DialogStyle();

  QRect subControlRect(ComplexControl control,
                       const QStyleOptionComplex* option, SubControl subControl,
                       const QWidget* widget) const override;
  int styleHint(StyleHint hint, const QStyleOption* option,
                const QWidget* widget,
                QStyleHintReturn* returnData) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override;
};

// Installs DialogStyle as the application's style, once.
void InstallDialogStyle();

}  // namespace qv::qt
