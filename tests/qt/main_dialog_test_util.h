// Driving the main window in widget tests: the shown dialog and an answerer
// for the modal dialogs it opens.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "app/qt/qt_dialog.h"
#include "app/qt/qt_platform.h"
#include "app/race_app.h"
#include "app/race_dlg.h"

namespace qv::qt::test {

// A platform, a dialog and the shown main window.
struct OpenDialog {
  qt::Platform platform;
  CRaceApp app{platform};
  CRaceDlg dlg{platform, &app};
  MainDialog* window = &platform.Open(dlg);

  template <typename T = QWidget>
  T* Find(int id) const {
    return qobject_cast<T*>(window->Control(id));
  }
};

// Answers every modal dialog that opens while it lives (the main window
// aside): a message box with `answer`, recording its text; any other with
// `other`, which must close it, or else by rejecting it.
struct Modals {
  explicit Modals(QMessageBox::StandardButton answer = QMessageBox::No,
                  std::function<void(QDialog*)> other = {}) {
    QObject::connect(&timer, &QTimer::timeout, [=, this] {
      auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (modal == nullptr || qobject_cast<MainDialog*>(modal)) return;
      ++seen;
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        texts << box->text();
        if (QAbstractButton* b = box->button(answer)) b->click();
        else box->reject();
      } else if (other) {
        other(modal);
      } else {
        modal->reject();
      }
    });
    timer.start(5);
  }
  QTimer timer;
  QStringList texts;
  int seen = 0;
};

}  // namespace qv::qt::test
