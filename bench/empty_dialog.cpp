// The floor for the start-up benchmark: an empty Qt dialog of the main
// window's size, with the same window flags, centred and run modally the
// way quorvane runs its dialog. With QUORVANE_EXIT_AFTER_FIRST_PAINT=1 it
// ends right after its first paint, as quorvane does.
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
#include <QTimer>
#include <cstdlib>
#include <cstring>

namespace {

class ExitAfterFirstPaint final : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !m_armed) {
      m_armed = true;
      QTimer::singleShot(0, [] { std::_Exit(0); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool m_armed = false;
};

}  // namespace

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
  if (qEnvironmentVariable("QUORVANE_EXIT_AFTER_FIRST_PAINT") ==
      QLatin1String("1")) {
    dialog.installEventFilter(new ExitAfterFirstPaint(&dialog));
  }
  dialog.exec();
  return 0;
}
