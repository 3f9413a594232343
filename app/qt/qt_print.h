// Printing on Qt: the print dialog, and PDF output for the report tool and
// the tests. Pages are laid out in the units of a 300 dpi device.
#pragma once

#include <memory>
#include <string>

#include <QString>

#include "app/platform.h"

class QPrinter;
class QWidget;

namespace qv::qt {

// Shows the print dialog; nullptr when the user cancels.
std::unique_ptr<IPrintJob> RunPrintDialog(QWidget* parent);

// A job that prints to a PDF file (A4), without a dialog.
std::unique_ptr<IPrintJob> MakePdfPrintJob(const QString& path);

// A job on a printer that must outlive it (the print preview's pages).
std::unique_ptr<IPrintJob> MakePrinterJob(QPrinter& printer);

// The same page into a PDF in memory: bytes becomes the document when EndDoc
// succeeds and must outlive the job. Usable on any thread once a
// QGuiApplication exists.
std::unique_ptr<IPrintJob> MakePdfBytesJob(std::string& bytes);

}  // namespace qv::qt
