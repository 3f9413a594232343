// Printing on Qt: the print dialog, and PDF output for the report tool and
// the tests. Pages are laid out in the units of a 300 dpi device.
#pragma once

#include <memory>

#include <QString>

#include "app/platform.h"

class QWidget;

namespace qv::qt {

// Shows the print dialog; nullptr when the user cancels.
std::unique_ptr<IPrintJob> RunPrintDialog(QWidget* parent);

// A job that prints to a PDF file (A4), without a dialog.
std::unique_ptr<IPrintJob> MakePdfPrintJob(const QString& path);

}  // namespace qv::qt
