// Dialogs built from the templates of res/dialog_templates.h: every row
// becomes one widget at its rectangle, converted from dialog units the way
// the platform does it, in template order (which is also the tab order).
#pragma once

#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QRect>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "res/dialog_templates.h"

namespace qv {
class CRaceDlg;
}

class QMimeData;

namespace qv::qt {

class Platform;

class TemplateDialog : public QDialog {
  Q_OBJECT
 public:
  TemplateDialog(const DialogTemplate& dlgTemplate, QWidget* parent);

  const DialogTemplate& Template() const { return m_template; }
  std::size_t ControlCount() const { return m_controls.size(); }
  // The widget of template row index; nullptr past the end.
  QWidget* ControlAt(std::size_t index) const;
  // The widget of the first row with this ID; nullptr when there is none.
  QWidget* Control(int id) const;

  // Dialog base units of the template's font: the average width of the
  // Latin letters and the character height, in pixels.
  int BaseUnitX() const { return m_baseX; }
  int BaseUnitY() const { return m_baseY; }
  // x * baseX / 4 and y * baseY / 8, rounded.
  QRect ToPixels(int x, int y, int w, int h) const;

 protected:
  // A push button was clicked. IDOK accepts, IDCANCEL rejects.
  virtual void OnButton(int id);

 private:
  QWidget* CreateControl(const ControlTemplate& row);

  const DialogTemplate& m_template;
  int m_baseX = 1;
  int m_baseY = 1;
  std::vector<QWidget*> m_controls;
};

// The main dialog: routes the buttons, the list's click and the user's
// edits to CRaceDlg, and handles Enter, Escape, closing and the window menu.
class MainDialog final : public TemplateDialog {
  Q_OBJECT
 public:
  explicit MainDialog(CRaceDlg& dlg, QWidget* parent = nullptr);
  CRaceDlg& Race() const { return m_dlg; }

  // The program's window menu (the window manager owns the system menu):
  // the close item; undo and redo; the exports and the print preview; and
  // below a separator, last, the version item (string 101).
  QMenu& WindowMenu();
  void ShowWindowMenu(const QPoint& globalPos);
  // Above the template's controls: ファイル, 編集 and ヘルプ, whose items run
  // the buttons' and the window menu's commands.
  QMenuBar& MenuBar() const { return *m_menuBar; }

  // The race file's or record's name, "*" while there are unsaved changes,
  // and the program's name; the menus' items greyed where they cannot run.
  // Every command, edit, undo and redo ends here.
  void UpdateState();

  // Ends the dialog for real (IPlatform::EndDialog).
  void EndModal(int result);

  // Ctrl+Z, and Ctrl+Shift+Z or Ctrl+Y: in a text edit, the edit's own
  // undo and redo; anywhere else, the race's.
  void UndoKey();
  void RedoKey();

  // The race file a drag carries: exactly one, and a file, not a folder.
  static std::optional<QString> DroppedRaceFile(const QMimeData* mime);

 signals:
  // A button's command went to CRaceDlg; handled is false when the command
  // table has no entry for it.
  void Commanded(int id, bool handled);
  // A notification went to its handler, which left this result.
  void Notified(int id, long result);

 public slots:
  // Enter reaches here only through a default button; it never closes.
  void accept() override;
  // Escape: CRaceDlg decides, and ends the dialog through EndModal.
  void reject() override;

 protected:
  void OnButton(int id) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // Files dragged over the controls are the window's, not an edit's text.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Command {
    Load, Save, ImportRecord, OpenComparison, DropComparison, ExportList,
    ExportGraph, ExportPdf, PrintPreview, Print, Close, Undo, Redo, Compute,
    Clear, About,
  };
  // The command's item in menu; keys shown there, and taken by the window
  // unless shownKeysOnly.
  QAction* AddCommand(QMenu& menu, Command command, bool shownKeysOnly);
  void Run(Command command);
  bool CanRun(Command command) const;
  void BuildMenuBar();
  // The template's layout below the bar; extra room goes to the graph, the
  // list and the comment.
  void Relayout();
  void NotifyClick(int id);
  // The Qt platform the dialog runs on (exports need its recordings).
  Platform* QtPlatform() const;

  CRaceDlg& m_dlg;
  QMenu* m_windowMenu = nullptr;
  QMenuBar* m_menuBar = nullptr;
  std::vector<std::pair<QAction*, Command>> m_commands;
  // Each control's rectangle as the template places it.
  std::vector<QRect> m_templateRects;
  bool m_ending = false;
};

// The version dialog (template 100); its OK button and Escape close it.
std::unique_ptr<TemplateDialog> CreateAboutDialog(QWidget* parent);

}  // namespace qv::qt
