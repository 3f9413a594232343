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
#include <QResizeEvent>
#include <QShortcut>
#include <algorithm>
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
#include "res/strings.h"

namespace qv::qt {

namespace {

constexpr char kIdProperty[] = "qvControlId";

Qt::WindowFlags FlagsFor(const DialogTemplate& t) {
  Qt::WindowFlags flags =
      (t.styles & dlgstyle::kAppWindow) != 0 ? Qt::Window : Qt::Dialog;
  flags |=
      Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  // The program's window can be resized; other dialogs keep their size.
  if ((t.styles & dlgstyle::kAppWindow) != 0)
    flags |= Qt::WindowMinMaxButtonsHint;
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

// A sunken right-aligned box (the section number) shows up to two digits,
// which in this font are wider than the template's box inside its 2-pixel
// edge: it grows to the left, its right edge where the template puts it.
void WidenForTwoDigits(QLabel& label, QRect& r) {
  // Qt's default indent beside a frame differs between painting and the size
  // hint; one pixel on each side is the same for both.
  label.setIndent(0);
  label.setMargin(1);
  const QString caption = label.text();
  int need = 0;
  for (int n = 10; n <= 99; ++n) {
    label.setText(QString::number(n));
    need = std::max(need, label.sizeHint().width());
  }
  label.setText(caption);
  if (r.width() < need) r.setLeft(r.right() - need + 1);
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

  setWindowTitle(QString::fromUtf8(Tr(m_template.caption)));
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
  const QString caption = QString::fromUtf8(Tr(row.caption));
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
        if (right) WidenForTwoDigits(*label, r);
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
      connect(edit, &QLineEdit::textEdited, this, [this, id] {
        m_dlg.OnUserEdit(id);
        UpdateState();
      });
    } else if (auto* comment = qobject_cast<CommentEdit*>(w)) {
      connect(comment, &CommentEdit::UserEdited, this, [this, id] {
        m_dlg.OnUserEdit(id);
        UpdateState();
      });
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

  for (std::size_t i = 0; i < ControlCount(); ++i)
    m_templateRects.push_back(ControlAt(i)->geometry());
  BuildMenuBar();
  // The template's size is the least; the bar adds its own height.
  const QSize least = size() + QSize(0, m_menuBar->sizeHint().height());
  setMinimumSize(least);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  resize(least);
  Relayout();
}

QAction* MainDialog::AddCommand(QMenu& menu, Command command,
                                bool shownKeysOnly) {
  struct Item {
    Command command;
    Text caption;
    QKeySequence keys;
  };
  static const Item kItems[] = {
      {Command::Load, kMenuLoad, QKeySequence(Qt::CTRL | Qt::Key_O)},
      {Command::Save, kMenuSave, QKeySequence(Qt::CTRL | Qt::Key_S)},
      {Command::ImportRecord, kMenuImportRecord, {}},
      {Command::OpenComparison, kMenuOpenComparison, {}},
      {Command::DropComparison, kMenuDropComparison, {}},
      {Command::ExportList, kMenuExportList, {}},
      {Command::ExportGraph, kMenuExportGraph, {}},
      {Command::ExportPdf, kMenuExportPdf, {}},
      {Command::PrintPreview, kMenuPrintPreview, {}},
      {Command::Print, kMenuPrint, QKeySequence(Qt::CTRL | Qt::Key_P)},
      {Command::Close, kMenuClose, QKeySequence(Qt::CTRL | Qt::Key_Q)},
      {Command::Undo, kMenuUndo, QKeySequence(Qt::CTRL | Qt::Key_Z)},
      {Command::Redo, kMenuRedo,
       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
      {Command::Compute, kMenuCompute, {}},
      {Command::Clear, kMenuClear, {}},
      {Command::About, {nullptr}, {}},
  };
  const Item* item = nullptr;
  for (const Item& i : kItems) {
    if (i.command == command) item = &i;
  }
  if (item == nullptr) return nullptr;
  const QString caption = item->caption.id != nullptr
                              ? QString::fromUtf8(item->caption.c_str())
                              : ToQString(LoadStringResource(IDS_ABOUTBOX));
  QAction* action =
      menu.addAction(caption, this, [this, command] { Run(command); });
  action->setShortcut(item->keys);
  // Undo and redo keys go through UndoKey and RedoKey, which leave an
  // edit's own to the edit.
  if (shownKeysOnly || command == Command::Undo || command == Command::Redo)
    action->setShortcutContext(Qt::WidgetShortcut);
  m_commands.emplace_back(action, command);
  return action;
}

void MainDialog::Run(Command command) {
  if (!CanRun(command)) return;
  Platform* p = QtPlatform();
  switch (command) {
    case Command::Load:
      return OnButton(IDC_LOAD);
    case Command::Save:
      return OnButton(IDC_SAVE);
    case Command::Print:
      return OnButton(IDC_PRINT);
    case Command::Compute:
      return OnButton(IDC_COMPUTE);
    case Command::Clear:
      return OnButton(IDC_CLEAR);
    case Command::ImportRecord:
      m_dlg.OnImportRecord();
      break;
    case Command::OpenComparison:
      m_dlg.OnOpenComparison();
      break;
    case Command::DropComparison:
      m_dlg.DropComparison();
      break;
    case Command::ExportList:
      AskAndExportListCsv(*p, this);
      break;
    case Command::ExportGraph:
      AskAndExportGraph(*p, this);
      break;
    case Command::ExportPdf:
      AskAndExportPrintedPdf(*p, m_dlg, this);
      break;
    case Command::PrintPreview:
      ShowPrintPreview(*p, m_dlg, this);
      break;
    case Command::Close:
      m_dlg.OnCancel();
      break;
    // From a menu, undo and redo are always the race's.
    case Command::Undo:
      m_dlg.Undo();
      break;
    case Command::Redo:
      m_dlg.Redo();
      break;
    case Command::About:
      m_dlg.OnSysCommand(static_cast<unsigned>(IDM_ABOUTBOX));
      break;
  }
  UpdateState();
}

bool MainDialog::CanRun(Command command) const {
  switch (command) {
    case Command::Undo:
      return m_dlg.CanUndo();
    case Command::Redo:
      return m_dlg.CanRedo();
    case Command::DropComparison:
      return m_dlg.HasComparison();
    case Command::ExportList:
    case Command::ExportGraph:
    case Command::ExportPdf:
    case Command::PrintPreview:
      return QtPlatform() != nullptr;
    default:
      return true;
  }
}

void MainDialog::BuildMenuBar() {
  m_menuBar = new QMenuBar(this);
  // In the window, where the layout leaves room for it, on every desktop.
  m_menuBar->setNativeMenuBar(false);
  QMenu* file = m_menuBar->addMenu(QString::fromUtf8(kMenuFile.c_str()));
  for (Command c : {Command::Load, Command::Save}) AddCommand(*file, c, false);
  file->addSeparator();
  for (Command c : {Command::ImportRecord, Command::OpenComparison,
                    Command::DropComparison})
    AddCommand(*file, c, false);
  file->addSeparator();
  for (Command c : {Command::ExportList, Command::ExportGraph,
                    Command::ExportPdf})
    AddCommand(*file, c, false);
  file->addSeparator();
  for (Command c : {Command::PrintPreview, Command::Print})
    AddCommand(*file, c, false);
  file->addSeparator();
  AddCommand(*file, Command::Close, false);

  QMenu* edit = m_menuBar->addMenu(QString::fromUtf8(kMenuEdit.c_str()));
  for (Command c : {Command::Undo, Command::Redo}) AddCommand(*edit, c, false);
  edit->addSeparator();
  for (Command c : {Command::Compute, Command::Clear})
    AddCommand(*edit, c, false);

  if (!LoadStringResource(IDS_ABOUTBOX).empty()) {
    QMenu* help = m_menuBar->addMenu(QString::fromUtf8(kMenuHelp.c_str()));
    AddCommand(*help, Command::About, false);
  }
  for (QMenu* menu : m_menuBar->findChildren<QMenu*>())
    connect(menu, &QMenu::aboutToShow, this, &MainDialog::UpdateState);
}

void MainDialog::UpdateState() {
  for (const auto& [action, command] : m_commands)
    action->setEnabled(CanRun(command));

  const QString app = QString::fromUtf8(kAppTitle);
  const bool modified = m_dlg.IsModified();
  QString name = QFileInfo(QFile::decodeName(m_dlg.RaceFilePath().c_str()))
                     .fileName();
  if (name.isEmpty() && modified) name = QString::fromUtf8(kUntitled.c_str());
  setWindowTitle(name.isEmpty() ? app
                                : name + (modified ? "*" : "") +
                                      QString::fromUtf8(kTitleSeparator) +
                                      app);
}

void MainDialog::resizeEvent(QResizeEvent* event) {
  TemplateDialog::resizeEvent(event);
  Relayout();
}

void MainDialog::Relayout() {
  if (m_menuBar == nullptr) return;
  const int bar = m_menuBar->sizeHint().height();
  m_menuBar->setGeometry(0, 0, width(), bar);
  const int dx = std::max(0, width() - minimumWidth());
  const int dy = std::max(0, height() - minimumHeight());
  // The graph gains most of the height, then the list; the comment the rest
  // (its bottom follows the window's).
  const int graphDy = dy * 45 / 100;
  const int listDy = dy * 40 / 100;

  const auto rectOf = [this](int id) {
    for (std::size_t i = 0; i < ControlCount(); ++i) {
      if (Template().controls[i].id == id) return m_templateRects[i];
    }
    return QRect();
  };
  const QRect graph = rectOf(IDC_GRAPH);
  const QRect list = rectOf(IDC_SECTION_LIST);
  for (std::size_t i = 0; i < ControlCount(); ++i) {
    QRect r = m_templateRects[i].translated(0, bar);
    const QRect t = m_templateRects[i];
    switch (Template().controls[i].id) {
      case IDC_GRAPH:
        r.adjust(0, 0, dx, graphDy);
        break;
      case IDC_SECTION_LIST:
        r.adjust(0, graphDy, dx, graphDy + listDy);
        break;
      case IDC_COMMENT:
        r.adjust(0, graphDy + listDy, dx, dy);
        break;
      default:
        // The comment's caption stays above it; the graph's settings and
        // the compute and print buttons stay below the graph. The input
        // panel keeps its place.
        if (t.top() > list.bottom())
          r.translate(0, graphDy + listDy);
        else if (t.top() > graph.bottom() && t.center().x() >= graph.left())
          r.translate(0, graphDy);
        break;
    }
    QWidget* w = ControlAt(i);
    const QSize before = w->size();
    w->setGeometry(r);
    // The graph is drawn afresh at its new size, as it was last drawn.
    auto* area = qobject_cast<StaticControl*>(w);
    if (area != nullptr && Template().controls[i].id == IDC_GRAPH &&
        before != r.size() && area->HasSurface()) {
      area->DropSurface();
      m_dlg.RedrawGraph();
    }
  }
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
  UpdateState();
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
  UpdateState();
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
    UpdateState();
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
  // Its keys are shown only: the menu bar's take them.
  const auto add = [this](Command c) { AddCommand(*m_windowMenu, c, true); };
  add(Command::Close);
  m_windowMenu->addSeparator();
  add(Command::Undo);
  add(Command::Redo);
  m_windowMenu->addSeparator();
  for (Command c : {Command::ExportList, Command::ExportGraph,
                    Command::ExportPdf, Command::PrintPreview})
    add(c);
  m_windowMenu->addSeparator();
  for (Command c : {Command::ImportRecord, Command::OpenComparison,
                    Command::DropComparison})
    add(c);
  if (!LoadStringResource(IDS_ABOUTBOX).empty()) {
    m_windowMenu->addSeparator();
    add(Command::About);
  }
  connect(m_windowMenu, &QMenu::aboutToShow, this, &MainDialog::UpdateState);
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
  UpdateState();
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
  UpdateState();
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
