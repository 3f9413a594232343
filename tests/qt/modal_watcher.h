// Hands the next modal dialog to an action that must close it, from inside
// the dialog's exec(). Gives up after a timeout, so a dialog that never
// opens cannot leak into the next test.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace qv::qt::test {

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
        m_action(modal);
      } else if (m_clock.elapsed() > timeoutMs) {
        m_timer.stop();
      }
    });
    m_timer.start(5);
  }
  ModalWatcher(const ModalWatcher&) = delete;
  ModalWatcher& operator=(const ModalWatcher&) = delete;

 private:
  std::function<void(QWidget*)> m_action;
  QWidget* m_before;
  QTimer m_timer;
  QElapsedTimer m_clock;
};

}  // namespace qv::qt::test
