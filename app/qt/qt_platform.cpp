#include "app/qt/qt_platform.h"
#include "app/qt/qt_split_dialog.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>
#include <algorithm>
#include <csignal>
#include <map>
#include <utility>

#include "app/headless/visible_drawing.h"
#include "app/qt/qt_draw_context.h"
#include "app/qt/qt_fonts.h"
#include "app/qt/qt_icon.h"
#include "app/qt/qt_print.h"
#include "app/qt/qt_style.h"
#include "app/race_dlg.h"
#include "res/resource.h"
#include "res/i18n.h"
#include "res/strings.h"

namespace qv::qt {

namespace {

// A drawing context on a static control's kept image. The control repaints
// from the image once the drawing is complete. It must not outlive the
// dialog (it lives inside one command).
//
// What is drawn is also recorded (the log, when given), so that the
// picture on show can be exported through the same replay quorvane-report
// uses; the log keeps only what still shows.
class SurfaceDc final : public IDrawContext {
 public:
  SurfaceDc(StaticControl& control,
            std::shared_ptr<std::vector<headless::DrawOp>> log, Rect area)
      : m_control(&control),
        m_painter(&control.Surface()),
        m_log(std::move(log)),
        m_area(area) {
    m_dc.emplace(m_painter);
    if (m_log) m_record.emplace(m_log);
  }
  ~SurfaceDc() override {
    m_dc.reset();
    m_painter.end();
    if (m_record) {
      m_record.reset();  // records the release
      *m_log = headless::VisibleDrawing(*m_log, m_area);
    }
    if (m_control != nullptr) m_control->update();
  }
  SurfaceDc(const SurfaceDc&) = delete;
  SurfaceDc& operator=(const SurfaceDc&) = delete;

  void FillSolidRect(const Rect& r, Rgb c) override {
    m_dc->FillSolidRect(r, c);
    if (m_record) m_record->FillSolidRect(r, c);
  }
  PenHandle CreatePen(PenStyle style, int width, Rgb c) override {
    const PenHandle pen = m_dc->CreatePen(style, width, c);
    if (m_record) m_pens[pen] = m_record->CreatePen(style, width, c);
    return pen;
  }
  FontHandle CreateFont(int height, std::string_view face) override {
    const FontHandle font = m_dc->CreateFont(height, face);
    if (m_record) m_fonts[font] = m_record->CreateFont(height, face);
    return font;
  }
  PenHandle SelectPen(PenHandle pen) override {
    if (m_record) m_record->SelectPen(Mapped(m_pens, pen));
    return m_dc->SelectPen(pen);
  }
  FontHandle SelectFont(FontHandle font) override {
    if (m_record) m_record->SelectFont(Mapped(m_fonts, font));
    return m_dc->SelectFont(font);
  }
  void DeletePen(PenHandle pen) override {
    if (m_record) m_record->DeletePen(Mapped(m_pens, pen));
    m_dc->DeletePen(pen);
  }
  void DeleteFont(FontHandle font) override {
    if (m_record) m_record->DeleteFont(Mapped(m_fonts, font));
    m_dc->DeleteFont(font);
  }
  void MoveTo(int x, int y) override {
    m_dc->MoveTo(x, y);
    if (m_record) m_record->MoveTo(x, y);
  }
  void LineTo(int x, int y) override {
    m_dc->LineTo(x, y);
    if (m_record) m_record->LineTo(x, y);
  }
  void SetTextColor(Rgb c) override {
    m_dc->SetTextColor(c);
    if (m_record) m_record->SetTextColor(c);
  }
  void TextOut(int x, int y, std::string_view text) override {
    m_dc->TextOut(x, y, text);
    if (m_record) m_record->TextOut(x, y, text);
  }
  TextMetrics GetTextMetrics() override { return m_dc->GetTextMetrics(); }
  int TextWidth(std::string_view text) override {
    return m_dc->TextWidth(text);
  }

 private:
  static int Mapped(const std::map<int, int>& handles, int h) {
    auto it = handles.find(h);
    return it == handles.end() ? 0 : it->second;
  }

  QPointer<StaticControl> m_control;
  QPainter m_painter;
  std::optional<QtDrawContext> m_dc;
  std::shared_ptr<std::vector<headless::DrawOp>> m_log;
  Rect m_area;
  std::optional<headless::RecordingDc> m_record;
  // This context's handles to the recording's.
  std::map<int, int> m_pens;
  std::map<int, int> m_fonts;
};

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace

Platform::Platform() {
  // Past a file-size limit a write should fail and say so, not end the
  // program with the race in it.
  std::signal(SIGXFSZ, SIG_IGN);
  InstallDialogStyle();
  // Message boxes and the window menu speak Japanese too.
  QApplication::setFont(DialogFont());
  // Every window of the program shows the icon.
  QApplication::setWindowIcon(AppIcon());
}

Platform::~Platform() = default;

IListView& Platform::ListView(int id) {
  auto it = m_lists.find(id);
  return it != m_lists.end() ? *it->second : m_nullList;
}

IComboBox& Platform::ComboBox(int id) {
  auto it = m_combos.find(id);
  return it != m_combos.end() ? *it->second : m_nullCombo;
}

ITextControl& Platform::TextControl(int id) {
  auto it = m_texts.find(id);
  return it != m_texts.end() ? *it->second : m_nullText;
}

std::unique_ptr<IDrawContext> Platform::GetDC(int id) {
  if (m_dialog == nullptr) return nullptr;
  auto* control = qobject_cast<StaticControl*>(m_dialog->Control(id));
  if (control == nullptr) return nullptr;
  return std::make_unique<SurfaceDc>(
      *control, id == IDC_GRAPH ? m_graphLog : nullptr, GetClientRect(id));
}

Rect Platform::GetClientRect(int id) {
  if (m_dialog == nullptr) return {};
  const QWidget* w = m_dialog->Control(id);
  if (w == nullptr) return {};
  const QRect client = w->contentsRect();
  return Rect{0, 0, client.width(), client.height()};
}

void Platform::MessageBox(std::string_view text) {
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kAppTitle),
                  ToQString(text), QMessageBox::Ok, m_dialog.get());
  ApplyDialogColors(box);
  box.exec();
}

bool Platform::AskYesNo(std::string_view text) {
  QMessageBox box(QMessageBox::Question, QString::fromUtf8(kAppTitle),
                  ToQString(text), QMessageBox::Yes | QMessageBox::No,
                  m_dialog.get());
  // Every question guards unsaved work: Enter keeps it.
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  ApplyDialogColors(box);
  return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> Platform::GetOpenFileName() {
  return AskOpenFileName(m_dialog.get());
}

std::optional<std::string> Platform::GetSaveFileName() {
  return AskSaveFileName(m_dialog.get());
}

std::optional<std::string> Platform::GetOpenRecordName() {
  return AskOpenRecordName(m_dialog.get());
}

std::optional<ActivitySplit> Platform::AskActivitySplit(
    const ActivityRecord& record) {
  return qt::AskActivitySplit(record, m_dialog.get());
}

std::unique_ptr<IPrintJob> Platform::PrintDialog() {
  if (m_nextPrintJob) return std::move(m_nextPrintJob);
  return RunPrintDialog(m_dialog.get());
}

void Platform::SetNextPrintJob(std::unique_ptr<IPrintJob> job) {
  m_nextPrintJob = std::move(job);
}

void Platform::SetDialogColors(Rgb background, Rgb text) {
  m_background = ToQColor(background);
  m_text = ToQColor(text);
  if (m_dialog != nullptr) ApplyDialogColors(*m_dialog);
}

void Platform::ApplyDialogColors(QWidget& dialog) const {
  if (!m_background || !m_text) return;
  // The dialog's background and the text of its statics and group boxes;
  // edits, lists, combo boxes and buttons keep their own colours.
  QPalette pal = dialog.palette();
  for (QPalette::ColorGroup group :
       {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    pal.setColor(group, QPalette::Window, *m_background);
  }
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    pal.setColor(group, QPalette::WindowText, *m_text);
  }
  dialog.setPalette(pal);
}

void Platform::InvalidateDialog() {
  if (m_dialog == nullptr) return;
  m_dialog->update();
  for (QWidget* child : m_dialog->findChildren<QWidget*>()) child->update();
}

void Platform::ShowAboutDialog() {
  std::unique_ptr<TemplateDialog> about = CreateAboutDialog(m_dialog.get());
  ApplyDialogColors(*about);
  about->exec();
}

void Platform::EndDialog(int result) {
  if (m_dialog != nullptr) m_dialog->EndModal(result);
}

MainDialog& Platform::Create(CRaceDlg& dlg) {
  m_lists.clear();
  m_combos.clear();
  m_texts.clear();
  m_dialog = std::make_unique<MainDialog>(dlg);
  m_graphLog = std::make_shared<std::vector<headless::DrawOp>>();
  BindControls();
  ApplyDialogColors(*m_dialog);

  dlg.OnInitDialog();
  m_dialog->UpdateState();

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    QRect frame(QPoint(0, 0), m_dialog->size());
    frame.moveCenter(available.center());
    // A window larger than the screen keeps its top-left corner, and so its
    // title and first controls, on the screen; the rest can be scrolled to
    // by moving the window.
    m_dialog->move(std::max(frame.left(), available.left()),
                   std::max(frame.top(), available.top()));
  }
  return *m_dialog;
}

MainDialog& Platform::Open(CRaceDlg& dlg) {
  MainDialog& dialog = Create(dlg);
  dialog.show();
  return dialog;
}

int Platform::RunModal(CRaceDlg& dlg) {
  MainDialog& dialog = Create(dlg);
  if (m_startFile) {
    // Once the window shows, so that a refused file's message stands over
    // it, and the window stays open with the empty race.
    QTimer::singleShot(0, &dialog, [this, &dlg] {
      const std::string path = *std::exchange(m_startFile, std::nullopt);
      dlg.OpenRaceFile(path, false);
      if (m_dialog != nullptr) m_dialog->UpdateState();
    });
  }
  return dialog.exec();
}

void Platform::BindControls() {
  const DialogTemplate& t = m_dialog->Template();
  for (std::size_t i = 0; i < t.controls.size(); ++i) {
    const ControlTemplate& row = t.controls[i];
    if (row.id < 0) continue;
    QWidget* w = m_dialog->ControlAt(i);
    switch (row.kind) {
      case ControlKind::ListView:
        if (auto* list = qobject_cast<QTreeWidget*>(w)) {
          m_lists[row.id] = std::make_unique<ListViewControl>(list);
        }
        break;
      case ControlKind::ComboBox:
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
          m_combos[row.id] = std::make_unique<ComboControl>(combo);
        }
        break;
      case ControlKind::Edit:
        if (auto* comment = qobject_cast<CommentEdit*>(w)) {
          m_texts[row.id] = std::make_unique<CommentText>(comment);
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
          m_texts[row.id] = std::make_unique<LineEditText>(edit);
        }
        break;
      case ControlKind::Static:
        if (auto* label = qobject_cast<QLabel*>(w)) {
          m_texts[row.id] = std::make_unique<LabelText>(label);
        }
        break;
      case ControlKind::GroupBox:
      case ControlKind::PushButton:
      case ControlKind::Icon:
        break;
    }
  }
}

void SetUpApplication() {
  QApplication::setApplicationName(QStringLiteral("Quorvane"));
  QGuiApplication::setDesktopFileName(QStringLiteral("quorvane"));
  // Qt's own buttons and dialogs speak the window's language; English is
  // Qt's own. The translator is owned by the application, so it lives
  // exactly as long.
  const bool english = UserLanguage() == Language::English;
  if (english) return;
  auto* japanese = new QTranslator(QCoreApplication::instance());
  if (japanese->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"),
                     QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(japanese);
  }
}

}  // namespace qv::qt
