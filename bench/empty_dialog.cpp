// The floor for the start-up benchmark: an empty Qt dialog of the main
// window's size, with the same window flags, centred and run modally the
// way quorvane runs its dialog, ending right after its first paint as
// quorvane_first_paint does.
//
//   empty_dialog [--japanese-label]
//
// With --japanese-label the dialog shows one line of Japanese text in the
// program's font: the floor for any dialog that draws Japanese at all.
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QScreen>
#include <cstring>

#include "bench/first_paint.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QDialog dialog(nullptr, Qt::Window | Qt::CustomizeWindowHint |
                              Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint);
  dialog.setWindowTitle(QStringLiteral("Quorvane"));
  // The main window's size with the usual 9-point Japanese dialog font.
  dialog.setFixedSize(656, 634);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(0, 0), dialog.size());
    frame.moveCenter(screen->availableGeometry().center());
    dialog.move(frame.topLeft());
  }
  if (argc > 1 && std::strcmp(argv[1], "--japanese-label") == 0) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"),
                      QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setPointSize(9);
    auto* label =
        new QLabel(QStringLiteral("距離/経過時間の入力/修正"), &dialog);
    label->setFont(font);
    label->move(10, 10);
  }
  ExitAfterFirstPaintOfAnyWindow();
  dialog.exec();
  return 1;  // closed before it painted
}
