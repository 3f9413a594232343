#include "app/qt/qt_dialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTimer>
#include <QUrl>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <cstdint>
#include <limits>

#include "app/qt/qt_accessible.h"
#include "app/qt/qt_controls.h"
#include "app/qt/qt_dialog_units.h"
#include "app/qt/qt_fonts.h"
#include "app/qt/qt_export.h"
#include "app/qt/qt_icon.h"
#include "app/qt/qt_platform.h"
#include "app/race_dlg.h"
#include "res/resource.h"

namespace qv::qt {

namespace {

constexpr char kIdProperty[] = "qvControlId";

Qt::WindowFlags FlagsFor(const DialogTemplate& t) {
  Qt::WindowFlags flags =
      (t.styles & dlgstyle::kAppWindow) != 0 ? Qt::Window : Qt::Dialog;
  // No minimise or maximise button; the size is fixed.
  flags |=
      Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  if ((t.styles & dlgstyle::kSysMenu) != 0) flags |= Qt::WindowSystemMenuHint;
  return flags;
}

// The closed height of a combo box: one line of the font plus its frame.
int ComboClosedHeight(const QFontMetrics& fm) { return fm.height() + 8; }

// The font that stands in for the dialog font can be a little wider than
// the one the template was laid out for. A label too narrow for its text
// first sets its letters up to a pixel closer (same font, same glyphs),
// then condenses them a little; only if that is not enough does it grow to
// the right, so that no caption loses its end.
void FitLabelText(QLabel& label, QRect& r) {
  const QString text = label.text();
  const int need = QFontMetrics(label.font()).horizontalAdvance(text);
  if (need <= r.width() || text.isEmpty()) return;

  QFont closer = label.font();
  closer.setLetterSpacing(QFont::AbsoluteSpacing, -1.0);
  if (QFontMetrics(closer).horizontalAdvance(text) <= r.width()) {
    label.setFont(closer);
    return;
  }
  constexpr int kMinStretch = 80;
  for (int stretch = 100 * r.width() / need; stretch >= kMinStretch;
       --stretch) {
    QFont condensed = label.font();
    condensed.setStretch(stretch);
    if (QFontMetrics(condensed).horizontalAdvance(text) <= r.width()) {
      label.setFont(condensed);
      return;
    }
  }
  r.setWidth(need);
}

}  // namespace

// ----------------------------------------------------------------
// TemplateDialog

TemplateDialog::TemplateDialog(const DialogTemplate& dlgTemplate,
                               QWidget* parent)
    : QDialog(parent, FlagsFor(dlgTemplate)), m_template(dlgTemplate) {
  setFont(DialogFont(QString::fromUtf8(m_template.fontFace),
                     m_template.fontPoints));
  const DialogBaseUnits base = BaseUnitsOf(font());
  m_baseX = base.x;
  m_baseY = base.y;

  setWindowTitle(QString::fromUtf8(m_template.caption));
  setFixedSize(ToPixels(0, 0, m_template.w, m_template.h).size());

  m_controls.reserve(m_template.controls.size());
  for (const ControlTemplate& row : m_template.controls) {
    QWidget* w = CreateControl(row);
    w->setProperty(kIdProperty, row.id);
    if (row.id >= 0) w->setObjectName(QStringLiteral("ctl%1").arg(row.id));
    m_controls.push_back(w);
  }
  // Frames stay behind the controls they surround.
  for (QWidget* w : m_controls) {
    if (qobject_cast<GroupFrame*>(w) != nullptr) w->lower();
  }
}

QWidget* TemplateDialog::ControlAt(std::size_t index) const {
  return index < m_controls.size() ? m_controls[index] : nullptr;
}

QWidget* TemplateDialog::Control(int id) const {
  for (std::size_t i = 0; i < m_controls.size(); ++i) {
    if (m_template.controls[i].id == id) return m_controls[i];
  }
  return nullptr;
}

QRect TemplateDialog::ToPixels(int x, int y, int w, int h) const {
  return DialogUnitsToPixels(x, y, w, h, DialogBaseUnits{m_baseX, m_baseY});
}

QWidget* TemplateDialog::CreateControl(const ControlTemplate& row) {
  const QString caption = QString::fromUtf8(row.caption);
  const bool tabStop = (row.styles & ctl::kTabStop) != 0;
  const bool right = (row.styles & ctl::kRight) != 0;
  const QFontMetrics fm(font());
  QRect r = ToPixels(row.x, row.y, row.w, row.h);
  QWidget* w = nullptr;

  switch (row.kind) {
    case ControlKind::GroupBox:
      w = new GroupFrame(caption, this);
      break;
    case ControlKind::Static: {
      auto* label = new StaticControl(caption, this);
      label->setAlignment((right ? Qt::AlignRight : Qt::AlignLeft) |
                          Qt::AlignTop);
      if ((row.styles & ctl::kSunken) != 0) {
        label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
      } else if (!right) {
        FitLabelText(*label, r);
      }
      w = label;
      break;
    }
    case ControlKind::Edit:
      if ((row.styles & ctl::kMultiline) != 0) {
        w = new CommentEdit(this);
      } else {
        auto* edit = new QLineEdit(this);
        // Whatever the edit is given comes back whole (Qt's default cuts
        // at 32,767 characters).
        edit->setMaxLength(std::numeric_limits<int>::max());
        edit->setAlignment((right ? Qt::AlignRight : Qt::AlignLeft) |
                           Qt::AlignVCenter);
        w = edit;
      }
      break;
    case ControlKind::PushButton: {
      auto* button = new QPushButton(caption, this);
      // Only a template's default button is one: QDialog would otherwise
      // make the first button the default, and Enter in any edit would
      // press it.
      const bool isDefault = (row.styles & ctl::kDefault) != 0;
      button->setAutoDefault(isDefault);
      button->setDefault(isDefault);
      const int id = row.id;
      connect(button, &QPushButton::clicked, this,
              [this, id] { OnButton(id); });
      w = button;
      break;
    }
    case ControlKind::ComboBox:
      // The template's height is that of the open list.
      w = new DropDownCombo(r.height(), this);
      r.setHeight(ComboClosedHeight(fm));
      break;
    case ControlKind::ListView:
      w = new SectionList(this);
      break;
    case ControlKind::Icon: {
      auto* icon = new QLabel(this);
      icon->setPixmap(QPixmap::fromImage(RenderAppIcon(32)));
      icon->setAttribute(Qt::WA_TransparentForMouseEvents);
      r.setSize(QSize(32, 32));  // icons keep their own size
      w = icon;
      break;
    }
  }
  if (!tabStop) w->setFocusPolicy(Qt::NoFocus);
  w->setGeometry(r);
  return w;
}

void TemplateDialog::OnButton(int id) {
  if (id == IDOK) accept();
  if (id == IDCANCEL) reject();
}

// ---------------------------------------------------------------- MainDialog

MainDialog::MainDialog(CRaceDlg& dlg, QWidget* parent)
    : TemplateDialog(MainDialogTemplate(), parent), m_dlg(dlg) {
  for (std::size_t i = 0; i < ControlCount(); ++i) {
    QWidget* w = ControlAt(i);
    const int id = Template().controls[i].id;
    if (auto* list = qobject_cast<SectionList*>(w)) {
      connect(list, &SectionList::Clicked, this,
              [this, id] { NotifyClick(id); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      connect(edit, &QLineEdit::textEdited, this,
              [this, id] { m_dlg.OnUserEdit(id); });
    } else if (auto* comment = qobject_cast<CommentEdit*>(w)) {
      connect(comment, &CommentEdit::UserEdited, this,
              [this, id] { m_dlg.OnUserEdit(id); });
    }
  }

  auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
  connect(shortcut, &QShortcut::activated, this,
          [this] { ShowWindowMenu(mapToGlobal(QPoint(0, 0))); });

  // An edit that takes these keys itself (its own undo) gets them first;
  // these see them only elsewhere, or when an edit lets them pass.
  auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
  connect(undo, &QShortcut::activated, this, &MainDialog::UndoKey);
  for (const QKeySequence& keys :
       {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
        QKeySequence(Qt::CTRL | Qt::Key_Y)}) {
    auto* redo = new QShortcut(keys, this);
    connect(redo, &QShortcut::activated, this, &MainDialog::RedoKey);
  }

  NameControlsForScreenReaders(*this);
  setAcceptDrops(true);
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

void MainDialog::UndoKey() {
  QWidget* focus = focusWidget();
  if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
    edit->undo();
  } else if (auto* comment = qobject_cast<QPlainTextEdit*>(focus)) {
    comment->undo();
  } else {
    m_dlg.Undo();
  }
}

void MainDialog::RedoKey() {
  QWidget* focus = focusWidget();
  if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
    edit->redo();
  } else if (auto* comment = qobject_cast<QPlainTextEdit*>(focus)) {
    comment->redo();
  } else {
    m_dlg.Redo();
  }
}

Platform* MainDialog::QtPlatform() const {
  return dynamic_cast<Platform*>(&m_dlg.Platform());
}

std::optional<QString> MainDialog::DroppedRaceFile(const QMimeData* mime) {
  if (mime == nullptr || !mime->hasUrls()) return std::nullopt;
  const QList<QUrl> urls = mime->urls();
  if (urls.size() != 1 || !urls.first().isLocalFile()) return std::nullopt;
  const QString path = urls.first().toLocalFile();
  if (!QFileInfo(path).isFile()) return std::nullopt;
  return path;
}

void MainDialog::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedRaceFile(event->mimeData()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void MainDialog::dragMoveEvent(QDragMoveEvent* event) {
  if (DroppedRaceFile(event->mimeData()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void MainDialog::dropEvent(QDropEvent* event) {
  const std::optional<QString> path = DroppedRaceFile(event->mimeData());
  if (!path) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  // After the drag has ended: the question and the messages are modal, and
  // the program that dragged should not wait on them.
  const QByteArray name = QFile::encodeName(*path);
  QTimer::singleShot(0, this, [this, name] {
    m_dlg.OpenRaceFile(
        std::string(name.constData(), static_cast<std::size_t>(name.size())),
        true);
  });
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      // Text is the edits' business, as it always was.
      if (drop->mimeData() == nullptr || !drop->mimeData()->hasUrls()) break;
      if (event->type() == QEvent::Drop)
        dropEvent(drop);
      else if (DroppedRaceFile(drop->mimeData()))
        drop->acceptProposedAction();
      else
        drop->ignore();
      return true;
    }
    default:
      break;
  }
  return TemplateDialog::eventFilter(watched, event);
}

QMenu& MainDialog::WindowMenu() {
  // Made when first needed: most sessions never open it.
  if (m_windowMenu != nullptr) return *m_windowMenu;
  m_windowMenu = new QMenu(this);
  m_windowMenu->addAction(QStringLiteral("閉じる(&C)"), this,
                          [this] { m_dlg.OnCancel(); });
  m_windowMenu->addSeparator();
  // From the menu, undo and redo are always the race's.
  QAction* undo = m_windowMenu->addAction(QStringLiteral("元に戻す(&U)"), this,
                                          [this] { m_dlg.Undo(); });
  undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  undo->setShortcutContext(Qt::WidgetShortcut);  // shown, the keys are above
  QAction* redo = m_windowMenu->addAction(QStringLiteral("やり直し(&R)"), this,
                                          [this] { m_dlg.Redo(); });
  redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  redo->setShortcutContext(Qt::WidgetShortcut);
  connect(m_windowMenu, &QMenu::aboutToShow, this, [this, undo, redo] {
    undo->setEnabled(m_dlg.CanUndo());
    redo->setEnabled(m_dlg.CanRedo());
  });
  m_windowMenu->addSeparator();
  m_windowMenu->addAction(QStringLiteral("一覧をCSVに出力(&L)..."), this,
                          [this] {
                            if (Platform* p = QtPlatform())
                              AskAndExportListCsv(*p, this);
                          });
  m_windowMenu->addAction(QStringLiteral("グラフを画像に出力(&G)..."), this,
                          [this] {
                            if (Platform* p = QtPlatform())
                              AskAndExportGraph(*p, this);
                          });
  m_windowMenu->addAction(QStringLiteral("印刷ページをPDFに出力(&F)..."),
                          this, [this] {
                            if (Platform* p = QtPlatform())
                              AskAndExportPrintedPdf(*p, m_dlg, this);
                          });
  m_windowMenu->addAction(QStringLiteral("印刷プレビュー(&V)..."), this,
                          [this] {
                            if (Platform* p = QtPlatform())
                              ShowPrintPreview(*p, m_dlg, this);
                          });
  m_windowMenu->addSeparator();
  m_windowMenu->addAction(QStringLiteral("GPSの記録を取り込む…"), this,
                          [this] { m_dlg.OnImportRecord(); });
  m_windowMenu->addAction(QStringLiteral("比較するレースを開く…"), this,
                          [this] { m_dlg.OnOpenComparison(); });
  QAction* drop = m_windowMenu->addAction(QStringLiteral("比較をやめる"), this,
                                          [this] { m_dlg.DropComparison(); });
  connect(m_windowMenu, &QMenu::aboutToShow, drop,
          [this, drop] { drop->setEnabled(m_dlg.HasComparison()); });
  const std::string_view about = LoadStringResource(IDS_ABOUTBOX);
  if (!about.empty()) {
    m_windowMenu->addSeparator();
    m_windowMenu->addAction(ToQString(about), this, [this] {
      m_dlg.OnSysCommand(static_cast<unsigned>(IDM_ABOUTBOX));
    });
  }
  return *m_windowMenu;
}

void MainDialog::ShowWindowMenu(const QPoint& globalPos) {
  WindowMenu().popup(globalPos);
}

void MainDialog::EndModal(int result) {
  m_ending = true;
  done(result);
}

void MainDialog::accept() { m_dlg.OnOK(); }

void MainDialog::reject() { m_dlg.OnCancel(); }

void MainDialog::OnButton(int id) {
  const bool handled = m_dlg.OnCommand(id);
  emit Commanded(id, handled);
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
  const bool enter =
      event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter) {
    TemplateDialog::keyPressEvent(event);
    return;
  }
  // Enter presses a focused push button and nothing else: the dialog has
  // no default button. (Buttons are not auto-default, so Enter on one
  // arrives here.)
  if (auto* button = qobject_cast<QPushButton*>(focusWidget());
      button != nullptr && button->isEnabled()) {
    button->click();
  }
  event->accept();
}

void MainDialog::NotifyClick(int id) {
  long result = 1;
  m_dlg.OnNotifyClick(id, &result);
  emit Notified(id, result);
}

void MainDialog::showEvent(QShowEvent* event) {
  m_ending = false;
  TemplateDialog::showEvent(event);
}

void MainDialog::closeEvent(QCloseEvent* event) {
  if (m_ending) {
    event->accept();
    return;
  }
  // The close button asks CRaceDlg, which ends the dialog through
  // EndModal when it agrees.
  event->ignore();
  m_dlg.OnCancel();
}

void MainDialog::contextMenuEvent(QContextMenuEvent* event) {
  // Only the dialog's background: controls keep their own menus, and a
  // click on a button is not a click on the background.
  if (event->reason() == QContextMenuEvent::Mouse &&
      childAt(event->pos()) != nullptr) {
    event->ignore();
    return;
  }
  ShowWindowMenu(event->globalPos());
  event->accept();
}

// ---------------------------------------------------------------- about

std::unique_ptr<TemplateDialog> CreateAboutDialog(QWidget* parent) {
  return std::make_unique<TemplateDialog>(AboutDialogTemplate(), parent);
}

}  // namespace qv::qt
