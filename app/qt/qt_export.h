// The window menu's exports and print preview. Each output is made by the
// code quorvane-report uses (the list texts of app/list_text.h, the graph
// replayed through RenderDrawing, the print command on a PDF job) and
// written as the race file is, beside the target and renamed into place.
#pragma once

#include <string>

class QWidget;

namespace qv {
class CRaceDlg;
}

namespace qv::qt {

class Platform;

// To a named file; a failure is shown as a message and leaves an older
// file as it was. True when the file was written.
bool ExportListCsv(Platform& platform, const std::string& path);
// PNG or SVG by the name's extension.
bool ExportGraph(Platform& platform, const std::string& path);
bool ExportPrintedPdf(Platform& platform, CRaceDlg& dlg,
                      const std::string& path);

// The same, after Qt's file dialog asks for the name.
void AskAndExportListCsv(Platform& platform, QWidget* parent);
void AskAndExportGraph(Platform& platform, QWidget* parent);
void AskAndExportPrintedPdf(Platform& platform, CRaceDlg& dlg,
                            QWidget* parent);

// The printed page as printing would give it, from which the user can
// print.
void ShowPrintPreview(Platform& platform, CRaceDlg& dlg, QWidget* parent);

}  // namespace qv::qt
