// quorvane-report: the race computed and exported without a window.
#include <QApplication>
#include <QFile>
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

// Qt is needed only to render; the list text alone starts no Qt at all.
class QtRenderer final : public qv::report::Renderer {
 public:
  QtRenderer(int& argc, char** argv) : m_argc(argc), m_argv(argv) {}

  qv::Rect ScreenGraphArea() override {
    EnsureApp();
    return qv::qt::ControlClientRect(qv::IDC_GRAPH);
  }

  bool SaveGraph(const std::string& path,
                 const std::vector<qv::headless::DrawOp>& ops, int width,
                 int height) override {
    EnsureApp();
    auto draw = [&ops](qv::IDrawContext& dc) { qv::headless::Replay(ops, dc); };
    const bool svg =
        path.size() >= 4 && (path.compare(path.size() - 4, 4, ".svg") == 0 ||
                             path.compare(path.size() - 4, 4, ".SVG") == 0);
    return svg ? qv::qt::SaveDrawingSvg(path, width, height, draw)
               : qv::qt::SaveDrawingPng(path, width, height, draw);
  }

  std::unique_ptr<qv::IPrintJob> OpenPdf(const std::string& path) override {
    EnsureApp();
    return qv::qt::MakePdfPrintJob(QString::fromUtf8(path));
  }

 private:
  void EnsureApp() {
    if (m_app) return;
    // No display is needed; a named platform still wins.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QuietMessages);
    m_app = std::make_unique<QApplication>(m_argc, m_argv);
  }

  int& m_argc;
  char** m_argv;
  std::unique_ptr<QApplication> m_app;
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  qv::report::Options options;
  std::string error;
  switch (qv::report::ParseArgs(args, options, error)) {
    case qv::report::ParseResult::Help:
      std::cout << qv::report::UsageText();
      return 0;
    case qv::report::ParseResult::UsageError:
      std::cerr << "quorvane-report: " << error << "\n\n"
                << qv::report::UsageText();
      return 2;
    case qv::report::ParseResult::Ok:
      break;
  }
  QtRenderer renderer(argc, argv);
  return qv::report::Run(options, renderer, std::cout, std::cerr);
}
