// The offscreen renderer as a loadable module, for programs that start
// without Qt and load it only when they first need a picture or a page.
#include <QGuiApplication>
#include <iostream>
#include <memory>
#include <string>

#include "app/offscreen_renderer.h"
#include "app/qt/qt_dialog_units.h"
#include "app/qt/qt_fonts.h"
#include "app/qt/qt_print.h"
#include "app/qt/qt_render.h"
#include "res/resource.h"

namespace {

// Qt's own warnings (a missing runtime folder, font substitutions) are no
// business of a command-line user; errors still go to standard error.
void QuietMessages(QtMsgType type, const QMessageLogContext&,
                   const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::cerr << message.toStdString() << '\n';
}

class QtRenderer final : public qv::offscreen::Renderer {
 public:
  QtRenderer() {
    qInstallMessageHandler(QuietMessages);
    // The command line's platform wins over QT_QPA_PLATFORM: whatever the
    // environment names (xcb without a display would abort), nothing here
    // needs more than offscreen images.
    m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
    // The font database is filled here, on the main thread, before any
    // worker asks it for a family.
    qv::qt::DialogFont();
  }

  qv::Rect ScreenGraphArea() override {
    return qv::qt::ControlClientRect(qv::IDC_GRAPH);
  }

  bool RenderImage(qv::offscreen::ImageFormat format, int width, int height,
                   const qv::offscreen::DrawFunction& draw,
                   std::string& bytes) override {
    return qv::qt::RenderDrawing(format, width, height, draw, bytes);
  }

  std::unique_ptr<qv::IPrintJob> NewPdfJob(std::string& bytes) override {
    return qv::qt::MakePdfBytesJob(bytes);
  }

 private:
  // QGuiApplication keeps references to these for its whole life.
  char m_name[16] = "quorvane";
  char m_platformOption[16] = "-platform";
  char m_platform[16] = "offscreen";
  char* m_argv[4] = {m_name, m_platformOption, m_platform, nullptr};
  int m_argc = 3;
  std::unique_ptr<QGuiApplication> m_app;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) qv::offscreen::Renderer*
QuorvaneOffscreenRenderer() {
  return new QtRenderer();
}
