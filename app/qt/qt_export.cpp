#include "app/qt/qt_export.h"

#include <sys/stat.h>

#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStringList>
#include <optional>
#include <vector>

#include "app/headless/replay.h"
#include "app/headless/visible_drawing.h"
#include "app/list_text.h"
#include "app/offscreen_renderer.h"
#include "app/qt/qt_dialog.h"
#include "app/qt/qt_files.h"
#include "app/qt/qt_platform.h"
#include "app/qt/qt_print.h"
#include "app/qt/qt_render.h"
#include "app/race_dlg.h"
#include "file/disk_file.h"
#include "res/resource.h"
#include "res/strings.h"
#include "res/i18n.h"

namespace qv::qt {

namespace {

constexpr Text kMsgGraphExtension{
    N_("グラフは .png か .svg のファイルに出力します。")};

// One kind of output file in the save dialog: what the filter shows, the
// patterns it matches and the extension a bare name gets.
struct FileKind {
  const char* filter;
  const char* suffix;
};

constexpr FileKind kCsv{N_("CSVﾌｧｲﾙ(*.csv) (*.csv *.CSV)"), "csv"};
constexpr FileKind kPng{N_("PNGﾌｧｲﾙ(*.png) (*.png *.PNG)"), "png"};
constexpr FileKind kSvg{N_("SVGﾌｧｲﾙ(*.svg) (*.svg *.SVG)"), "svg"};
constexpr FileKind kPdf{N_("PDFﾌｧｲﾙ(*.pdf) (*.pdf *.PDF)"), "pdf"};

// Asked before anything is made. Replacing the race's own file or the
// comparison's would lose that race (and the window would still call it
// saved); a pipe or a device cannot be replaced by a file, and writing into
// one could wait for ever, so they are refused as quorvane-report refuses
// them.
bool MayWrite(Platform& platform, const std::string& path) {
  const FileKey key = KeyOfFile(path);
  if (const MainDialog* window = platform.Dialog()) {
    const CRaceDlg& dlg = window->Race();
    for (const auto& [own, message] :
         {std::pair{&dlg.RaceFilePath(), kMsgOutputIsRaceFile},
          {&dlg.ComparisonFilePath(), kMsgOutputIsComparisonFile}}) {
      if (!own->empty() && SameFile(key, KeyOfFile(*own))) {
        platform.MessageBox(message);
        return false;
      }
    }
  }
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    platform.MessageBox(kMsgOutputOpenFailed);
    return false;
  }
  return true;
}

bool Write(Platform& platform, const std::string& path,
           const std::string& bytes) {
  switch (platform.Files().WriteAll(path, bytes)) {
    case WriteStatus::Ok:
      return true;
    case WriteStatus::OpenFailed:
      platform.MessageBox(kMsgOutputOpenFailed);
      return false;
    case WriteStatus::WriteFailed:
      platform.MessageBox(kMsgOutputWriteFailed);
      return false;
  }
  return false;
}

// Qt's own dialog, as for race files: the kinds' filters, the first
// selected, a default name, and the question before a file is replaced.
std::optional<std::string> AskName(QWidget* parent, const char* title,
                                   const char* defaultName,
                                   const std::vector<FileKind>& kinds) {
  QFileDialog dialog(parent, QString::fromUtf8(Tr(title)));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  QStringList filters;
  for (const FileKind& k : kinds) filters << QString::fromUtf8(Tr(k.filter));
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters.first());
  dialog.setDefaultSuffix(QString::fromUtf8(kinds.front().suffix));
  // A name typed without an extension gets the chosen filter's.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, &filters, &kinds](const QString& filter) {
                     const qsizetype i = filters.indexOf(filter);
                     if (i >= 0)
                       dialog.setDefaultSuffix(QString::fromUtf8(
                           kinds[static_cast<std::size_t>(i)].suffix));
                   });
  dialog.selectFile(QString::fromUtf8(Tr(defaultName)));
  return ChosenFileName(dialog);
}

}  // namespace

bool ExportListCsv(Platform& platform, const std::string& path) {
  const MainDialog* window = platform.Dialog();
  if (window == nullptr || !MayWrite(platform, path)) return false;
  return Write(platform, path, CsvText(window->Race().ListRows()));
}

bool ExportGraph(Platform& platform, const std::string& path) {
  const std::optional<offscreen::ImageFormat> format =
      offscreen::ImageFormatOfName(path);
  if (!format) {
    platform.MessageBox(kMsgGraphExtension);
    return false;
  }
  if (!MayWrite(platform, path)) return false;
  const Rect area = platform.GetClientRect(IDC_GRAPH);
  const std::vector<headless::DrawOp> ops =
      headless::VisibleDrawing(platform.GraphDrawing(), area);
  std::string bytes;
  if (!RenderDrawing(*format, area.Width(), area.Height(),
                     [&ops](IDrawContext& dc) { headless::Replay(ops, dc); },
                     bytes)) {
    platform.MessageBox(kMsgOutputWriteFailed);
    return false;
  }
  return Write(platform, path, bytes);
}

bool ExportPrintedPdf(Platform& platform, CRaceDlg& dlg,
                      const std::string& path) {
  if (!MayWrite(platform, path)) return false;
  std::string bytes;
  platform.SetNextPrintJob(MakePdfBytesJob(bytes));
  dlg.OnPrint();
  // The job is used up; one left over (nothing printed) must not answer a
  // later print.
  platform.SetNextPrintJob(nullptr);
  // A page that could not be made has been reported by the print command.
  if (bytes.empty()) return false;
  return Write(platform, path, bytes);
}

void AskAndExportListCsv(Platform& platform, QWidget* parent) {
  if (auto path = AskName(parent, N_("一覧をCSVに出力"), N_("一覧.csv"), {kCsv}))
    ExportListCsv(platform, *path);
}

void AskAndExportGraph(Platform& platform, QWidget* parent) {
  if (auto path =
          AskName(parent, N_("グラフを画像に出力"), N_("グラフ.png"),
                  {kPng, kSvg}))
    ExportGraph(platform, *path);
}

void AskAndExportPrintedPdf(Platform& platform, CRaceDlg& dlg,
                            QWidget* parent) {
  if (auto path = AskName(parent, N_("印刷ページをPDFに出力"), N_("印刷.pdf"),
                      {kPdf}))
    ExportPrintedPdf(platform, dlg, *path);
}

void ShowPrintPreview(Platform& platform, CRaceDlg& dlg, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(QString::fromUtf8(Tr(N_("印刷プレビュー"))));
  // Every page the preview shows, and the one it prints, comes from the
  // print command itself.
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&platform, &dlg](QPrinter* target) {
                     platform.SetNextPrintJob(MakePrinterJob(*target));
                     dlg.OnPrint();
                     platform.SetNextPrintJob(nullptr);
                   });
  platform.ApplyDialogColors(preview);
  preview.exec();
}

}  // namespace qv::qt
