// The platform layer on Qt 6 Widgets: the main dialog built from template
// 102, its controls behind IListView / IComboBox / ITextControl, the graph
// area's kept drawing, message boxes, the version dialog and the dialog
// colours. A QApplication must exist for the platform's whole life.
#pragma once

#include <QColor>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/headless/headless_platform.h"
#include "app/platform.h"
#include "app/qt/qt_controls.h"
#include "app/qt/qt_dialog.h"
#include "app/qt/qt_files.h"

namespace qv::qt {

class Platform final : public IPlatform {
 public:
  Platform();
  ~Platform() override;
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;

  IListView& ListView(int id) override;
  IComboBox& ComboBox(int id) override;
  ITextControl& TextControl(int id) override;

  // A context that draws on the static control's kept image; the control
  // repaints when the context is destroyed. nullptr for other controls.
  std::unique_ptr<IDrawContext> GetDC(int id) override;
  Rect GetClientRect(int id) override;

  void MessageBox(std::string_view text) override;
  bool AskYesNo(std::string_view text) override;

  std::optional<std::string> GetOpenFileName() override;
  std::optional<std::string> GetSaveFileName() override;
  std::optional<std::string> GetOpenRecordName() override;
  std::optional<ActivitySplit> AskActivitySplit(
      const ActivityRecord& record) override;
  IFileSystem& Files() override { return m_files; }
  std::unique_ptr<IPrintJob> PrintDialog() override;

  void SetDialogColors(Rgb background, Rgb text) override;
  void InvalidateDialog() override;
  void ShowAboutDialog() override;
  void EndDialog(int result) override;

  // Create, then wait until the dialog ends; returns its result.
  int RunModal(CRaceDlg& dlg) override;

  // Builds the main dialog for dlg, binds and initialises it and centres it
  // on the screen, without showing it. Replaces any earlier dialog.
  MainDialog& Create(CRaceDlg& dlg);
  // Create and show, without waiting (the widget tests drive it so).
  MainDialog& Open(CRaceDlg& dlg);
  MainDialog* Dialog() const { return m_dialog.get(); }

  // Applies the colours SetDialogColors chose (if any) to a dialog.
  void ApplyDialogColors(QWidget& dialog) const;

  // The race file RunModal loads once the window shows (the command line).
  void OpenOnStart(std::string path) { m_startFile = std::move(path); }
  // The next PrintDialog() gives this job instead of asking (exports and
  // the print preview print through the print command).
  void SetNextPrintJob(std::unique_ptr<IPrintJob> job);
  // The graph area's drawing as it shows, recorded as quorvane-report
  // records it; empty before the dialog is created.
  const std::vector<headless::DrawOp>& GraphDrawing() const {
    return m_graphLog ? *m_graphLog : m_noDrawing;
  }
  // The section list's column headers.

 private:
  void BindControls();

  std::unique_ptr<MainDialog> m_dialog;
  std::map<int, std::unique_ptr<IListView>> m_lists;
  std::map<int, std::unique_ptr<IComboBox>> m_combos;
  std::map<int, std::unique_ptr<ITextControl>> m_texts;
  NullListView m_nullList;
  NullComboBox m_nullCombo;
  NullText m_nullText;
  QtFileSystem m_files;
  std::shared_ptr<std::vector<headless::DrawOp>> m_graphLog;
  const std::vector<headless::DrawOp> m_noDrawing;
  std::optional<std::string> m_startFile;
  std::unique_ptr<IPrintJob> m_nextPrintJob;
  std::optional<QColor> m_background;
  std::optional<QColor> m_text;
};

// The application's name, desktop file and Qt's own texts in Japanese (the
// file and print dialogs, the Yes/No buttons), whatever the user's locale.
// Call once the QApplication exists.
void SetUpApplication();

}  // namespace qv::qt
