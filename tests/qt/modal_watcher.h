// Answers each modal dialog but the main window while it lives, keeping what
// it showed: a message box's text, else the dialog's class and a preview's
// page count. A message box gets the answer's button (or is rejected without
// one); another dialog goes to `act` if there is one, else it is rejected.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QTimer>
#include <functional>

#include "app/qt/qt_dialog.h"

namespace qv::qt::test {

struct Modals {
  explicit Modals(QMessageBox::StandardButton answer = QMessageBox::No,
                  std::function<void(QDialog*)> act = {}) {
    QObject::connect(&timer, &QTimer::timeout, [=, this] {
      auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (modal == nullptr || qobject_cast<MainDialog*>(modal)) return;
      auto* box = qobject_cast<QMessageBox*>(modal);
      texts << (box ? box->text() : modal->metaObject()->className());
      if (auto* preview = modal->findChild<QPrintPreviewWidget*>())
        texts << QString::number(preview->pageCount());
      if (box && box->button(answer)) return box->button(answer)->click();
      if (!box && act) {
        // This timer is busy until act returns: the questions the dialog
        // asks meanwhile have a watcher of their own.
        const Modals inner(answer);
        act(modal);
        return void(texts << inner.texts);
      }
      modal->reject();
    });
    timer.start(5);
  }
  QTimer timer;
  QStringList texts;
};

}  // namespace qv::qt::test
