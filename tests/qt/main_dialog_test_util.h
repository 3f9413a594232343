// Helpers for driving the main dialog in widget tests: answering the modal
// dialogs it opens and finding its controls.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/qt/qt_dialog.h"
#include "app/qt/qt_platform.h"
#include "app/race_app.h"
#include "app/race_dlg.h"

namespace qv::qt::test {

// Watches for the next modal dialog to open (from inside its exec()) and
// hands it to `action`, which must close it. Stops by itself after
// `timeoutMs`, so a modal that never opens cannot leak into other tests.
class ModalWatcher {
 public:
  explicit ModalWatcher(std::function<void(QWidget*)> action,
                        int timeoutMs = 5000)
      : m_action(std::move(action)),
        m_before(QApplication::activeModalWidget()) {
    m_clock.start();
    QObject::connect(&m_timer, &QTimer::timeout, [this, timeoutMs] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal != nullptr && modal != m_before) {
        m_timer.stop();
        ++m_seen;
        m_action(modal);
      } else if (m_clock.elapsed() > timeoutMs) {
        m_timer.stop();
      }
    });
    m_timer.start(5);
  }
  ~ModalWatcher() { m_timer.stop(); }
  ModalWatcher(const ModalWatcher&) = delete;
  ModalWatcher& operator=(const ModalWatcher&) = delete;

  int Seen() const { return m_seen; }

 private:
  std::function<void(QWidget*)> m_action;
  QWidget* m_before;
  QTimer m_timer;
  QElapsedTimer m_clock;
  int m_seen = 0;
};

// Dismisses every modal dialog that opens while it lives (file and print
// dialogs, messages, questions: Escape answers each), counting them.
class DismissModals {
 public:
  DismissModals() {
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) return;
      ++m_count;
      if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
      } else {
        modal->close();
      }
    });
    m_timer.start(5);
  }
  int Count() const { return m_count; }

 private:
  QTimer m_timer;
  int m_count = 0;
};

// A platform, a dialog and the shown main window.
struct OpenDialog {
  qt::Platform platform;
  CRaceApp app{platform};
  CRaceDlg dlg{platform, &app};
  MainDialog* window = nullptr;

  OpenDialog() { window = &platform.Open(dlg); }

  template <typename T>
  T* Find(int id) const {
    return qobject_cast<T*>(window->Control(id));
  }
};

}  // namespace qv::qt::test
