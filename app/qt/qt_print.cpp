#include "app/qt/qt_print.h"

// Placeholder until printing exists.
namespace qv::qt {

std::unique_ptr<IPrintJob> RunPrintDialog(QWidget*) { return nullptr; }
std::unique_ptr<IPrintJob> MakePdfPrintJob(const QString&) { return nullptr; }

}  // namespace qv::qt
