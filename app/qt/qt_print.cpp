#include "app/qt/qt_print.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTransform>
#include <cmath>
#include <string>
#include <utility>

#include "app/qt/qt_draw_context.h"

namespace qv::qt {

namespace {

// The page is laid out for a 300 dpi device (a 35-unit table font, 100-unit
// margins); the painter maps those units onto the real resolution, so the
// page looks the same on every printer and in a PDF.
constexpr double kLayoutDpi = 300.0;
// The PDF job's unprintable border, as a typical printer has one.
constexpr double kPdfMarginMm = 5.0;
// A high-resolution printer's, as QPrinter::HighResolution gives a PDF.
constexpr int kPdfDpi = 1200;

QPageLayout A4Layout() {
  return QPageLayout(
      QPageSize(QPageSize::A4), QPageLayout::Portrait,
      QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
      QPageLayout::Millimeter);
}

// Where drawing goes while no document is open: nowhere.
class NullDrawContext final : public IDrawContext {
 public:
  void FillSolidRect(const Rect&, Rgb) override {}
  PenHandle CreatePen(PenStyle, int, Rgb) override { return 0; }
  FontHandle CreateFont(int, std::string_view) override { return 0; }
  PenHandle SelectPen(PenHandle) override { return 0; }
  FontHandle SelectFont(FontHandle) override { return 0; }
  void DeletePen(PenHandle) override {}
  void DeleteFont(FontHandle) override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void SetTextColor(Rgb) override {}
  void TextOut(int, int, std::string_view) override {}
  TextMetrics GetTextMetrics() override { return {}; }
  int TextWidth(std::string_view) override { return 0; }
};

// A job painting onto a paged device (a printer or a PDF writer); what
// differs between the two is left to Device and the hooks below.
class PagedPrintJob : public IPrintJob {
 public:
  PagedPrintJob() = default;
  PagedPrintJob(const PagedPrintJob&) = delete;
  PagedPrintJob& operator=(const PagedPrintJob&) = delete;

  IDrawContext& Dc() override {
    if (m_dc) return *m_dc;
    return m_null;
  }

  int HorzRes() const override {
    return ToLayoutUnits(PaintRect().width(), DpiX());
  }
  int VertRes() const override {
    return ToLayoutUnits(PaintRect().height(), DpiY());
  }

  int StartDoc(std::string_view docName) override {
    if (m_painter.isActive()) return -1;
    SetDocName(QString::fromUtf8(docName.data(),
                                 static_cast<qsizetype>(docName.size())));
    if (!m_painter.begin(&Device())) return -1;
    ApplyTransform();
    m_dc = std::make_unique<QtDrawContext>(m_painter);
    m_pages = 0;
    m_inPage = false;
    return 1;
  }

  // Opening the painter opened the first page; later pages need a new one.
  int StartPage() override {
    if (!m_painter.isActive() || m_inPage) return -1;
    if (m_pages > 0) {
      if (!Device().newPage()) return -1;
      ApplyTransform();
    }
    ++m_pages;
    m_inPage = true;
    return Failed() ? -1 : 1;
  }

  int EndPage() override {
    if (!m_painter.isActive() || !m_inPage) return -1;
    m_inPage = false;
    return Failed() ? -1 : 1;
  }

  int EndDoc() override {
    if (!m_painter.isActive()) return -1;
    m_dc.reset();
    const bool ended = m_painter.end();
    return ended && !Failed() && Finished() ? 1 : -1;
  }

  void AbortDoc() override {
    m_dc.reset();
    if (!m_painter.isActive()) return;
    Abandon();
  }

  void SetScale(double scale) override {
    if (!std::isfinite(scale) || scale <= 0.0) return;
    m_scale = scale;
    if (m_painter.isActive()) ApplyTransform();
  }

 protected:
  virtual QPagedPaintDevice& Device() const = 0;
  virtual int Resolution() const = 0;
  virtual void SetDocName(const QString& name) = 0;
  virtual bool Failed() const = 0;
  // The painter ended well; the document is then complete.
  virtual bool Finished() { return true; }
  // Gives up a document that is still open.
  virtual void Abandon() = 0;

  // Ends the painter before the device goes (called by the destructors of
  // the devices' owners).
  void EndPainting() {
    if (m_painter.isActive()) AbortDoc();
  }
  QPainter& Painter() { return m_painter; }

 private:
  int DpiX() const { return Device().logicalDpiX(); }
  int DpiY() const { return Device().logicalDpiY(); }

  QRect PaintRect() const {
    return Device().pageLayout().paintRectPixels(Resolution());
  }

  static int ToLayoutUnits(int pixels, int dpi) {
    if (dpi <= 0 || pixels <= 0) return 0;
    return static_cast<int>(static_cast<long long>(pixels) * 300 / dpi);
  }

  // Layout units onto device pixels. A page shrunk to fit stays centred
  // across the paper rather than drawn up against the left edge.
  void ApplyTransform() {
    const double sx = DpiX() > 0 ? DpiX() / kLayoutDpi : 1.0;
    const double sy = DpiY() > 0 ? DpiY() / kLayoutDpi : 1.0;
    const double shift = (1.0 - m_scale) * HorzRes() / 2.0;
    QTransform t;
    t.scale(sx, sy);
    t.translate(shift, 0.0);
    t.scale(m_scale, m_scale);
    m_painter.setWorldTransform(t);
  }

  QPainter m_painter;
  std::unique_ptr<QtDrawContext> m_dc;  // goes before the painter ends
  NullDrawContext m_null;
  double m_scale = 1.0;
  int m_pages = 0;
  bool m_inPage = false;
};

class QtPrintJob final : public PagedPrintJob {
 public:
  explicit QtPrintJob(std::unique_ptr<QPrinter> printer)
      : m_owned(std::move(printer)), m_printer(m_owned.get()) {}
  // On a printer someone else owns (the print preview's).
  explicit QtPrintJob(QPrinter& printer) : m_printer(&printer) {}
  // A document left open is abandoned, not sent as if it were complete.
  ~QtPrintJob() override { EndPainting(); }

 protected:
  QPagedPaintDevice& Device() const override { return *m_printer; }
  int Resolution() const override { return m_printer->resolution(); }
  void SetDocName(const QString& name) override { m_printer->setDocName(name); }
  bool Failed() const override {
    return m_printer->printerState() == QPrinter::Error ||
           m_printer->printerState() == QPrinter::Aborted;
  }
  void Abandon() override {
    // Qt's PDF engine, and the CUPS one built on it, cannot abort: ending
    // the painter closes the document (CUPS then prints what was drawn). A
    // PDF file left behind would pass for a finished printout, so it goes.
    m_printer->abort();
    if (Painter().isActive()) Painter().end();
    if (m_printer->outputFormat() == QPrinter::PdfFormat &&
        !m_printer->outputFileName().isEmpty()) {
      QFile::remove(m_printer->outputFileName());
    }
  }

 private:
  std::unique_ptr<QPrinter> m_owned;
  QPrinter* m_printer;
};

// The page into a PDF held in memory. Unlike QPrinter, QPdfWriter asks no
// printer system for anything, so any thread may have one of its own.
class PdfBytesJob final : public PagedPrintJob {
 public:
  explicit PdfBytesJob(std::string& bytes) : m_bytes(bytes) {
    m_buffer.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_buffer);
    m_writer->setResolution(kPdfDpi);
    m_writer->setCreator(QStringLiteral("Quorvane"));
    m_writer->setPageLayout(A4Layout());
  }
  ~PdfBytesJob() override { EndPainting(); }

 protected:
  QPagedPaintDevice& Device() const override { return *m_writer; }
  int Resolution() const override { return m_writer->resolution(); }
  void SetDocName(const QString& name) override { m_writer->setTitle(name); }
  bool Failed() const override { return false; }
  bool Finished() override {
    m_bytes.assign(m_data.constData(), static_cast<std::size_t>(m_data.size()));
    return !m_bytes.empty();
  }
  void Abandon() override {
    Painter().end();
    m_bytes.clear();
  }

 private:
  std::string& m_bytes;
  QByteArray m_data;
  QBuffer m_buffer{&m_data};
  std::unique_ptr<QPdfWriter> m_writer;  // goes before the buffer
};

}  // namespace

std::unique_ptr<IPrintJob> RunPrintDialog(QWidget* parent) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintDialog dialog(printer.get(), parent);
  // One page, always all of it. The number of copies is the printer's
  // business. Printing to a PDF file stays available: on a machine without
  // a printer that is how a page gets printed.
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setOption(QAbstractPrintDialog::PrintShowPageSize, true);
  dialog.setPrintRange(QAbstractPrintDialog::AllPages);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return std::make_unique<QtPrintJob>(std::move(printer));
}

std::unique_ptr<IPrintJob> MakePdfPrintJob(const QString& path) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(path);
  printer->setPageLayout(A4Layout());
  return std::make_unique<QtPrintJob>(std::move(printer));
}

std::unique_ptr<IPrintJob> MakePrinterJob(QPrinter& printer) {
  return std::make_unique<QtPrintJob>(printer);
}

std::unique_ptr<IPrintJob> MakePdfBytesJob(std::string& bytes) {
  return std::make_unique<PdfBytesJob>(bytes);
}

}  // namespace qv::qt
