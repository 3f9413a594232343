// quorvane-report's rendering, loaded only when a graph or a PDF is asked
// for: the list text alone then starts without loading Qt at all.
#include <QApplication>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/headless/replay.h"
#include "app/qt/qt_dialog_units.h"
#include "app/qt/qt_print.h"
#include "app/qt/qt_render.h"
#include "report/report.h"
#include "res/resource.h"

namespace {

// Qt's own warnings (a missing runtime folder, font substitutions) are no
// business of a command-line user; errors still go to standard error.
void QuietMessages(QtMsgType type, const QMessageLogContext&,
                   const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::cerr << message.toStdString() << '\n';
}

class QtRenderer final : public qv::report::Renderer {
 public:
  QtRenderer(int& argc, char** argv) {
    // No display is needed; a named platform still wins.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QuietMessages);
    m_app = std::make_unique<QApplication>(argc, argv);
  }

  qv::Rect ScreenGraphArea() override {
    return qv::qt::ControlClientRect(qv::IDC_GRAPH);
  }

  bool SaveGraph(const std::string& path,
                 const std::vector<qv::headless::DrawOp>& ops, int width,
                 int height) override {
    auto draw = [&ops](qv::IDrawContext& dc) { qv::headless::Replay(ops, dc); };
    const bool svg =
        path.size() >= 4 && (path.compare(path.size() - 4, 4, ".svg") == 0 ||
                             path.compare(path.size() - 4, 4, ".SVG") == 0);
    return svg ? qv::qt::SaveDrawingSvg(path, width, height, draw)
               : qv::qt::SaveDrawingPng(path, width, height, draw);
  }

  std::unique_ptr<qv::IPrintJob> OpenPdf(const std::string& path) override {
    return qv::qt::MakePdfPrintJob(QString::fromUtf8(path));
  }

 private:
  std::unique_ptr<QApplication> m_app;
};

}  // namespace

// argc must outlive the renderer, as QApplication keeps a reference to it.
extern "C" __attribute__((visibility("default"))) qv::report::Renderer*
QuorvaneMakeRenderer(int* argc, char** argv) {
  return new QtRenderer(*argc, argv);
}
