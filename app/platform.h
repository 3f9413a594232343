// The thin layer between the dialog's logic and the window system.
//
// Everything the race dialog asks of controls, drawing surfaces, file
// dialogs, files, message boxes and printers goes through these small
// interfaces. The Qt realisation lives in app/qt, the headless one (used by
// the tests and by quorvane-report) in app/headless. Text is UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/drawing.h"

namespace qv {

class CRaceDlg;
struct ActivityRecord;
struct ActivitySplit;

// ---------------------------------------------------------------- controls

// Report-style list view. Rows are addressed by position from 0.
class IListView {
 public:
  virtual ~IListView() = default;
  // Columns stand in index order; width in pixels, left aligned.
  virtual void InsertColumn(int index, std::string_view header, int width) = 0;
  // Removes a column and its cells; later columns move left.
  virtual void DeleteColumn(int index) = 0;
  virtual int GetColumnCount() const = 0;
  // Inserts a row at pos (clamped to the row count) with the text of column
  // 0; later rows move down. Returns the row's position.
  virtual int InsertItem(int pos, std::string_view text) = 0;
  // Sets a cell of the most recently inserted row.
  virtual void SetItemText(int column, std::string_view text) = 0;
  virtual void DeleteAllItems() = 0;
  // Lowest selected row, or -1 when none is selected.
  virtual int GetFirstSelected() const = 0;
  // Empty text for a row or column that does not exist.
  virtual std::string GetItemText(int row, int column) const = 0;
  virtual int GetItemCount() const = 0;
  virtual int ClientWidth() const = 0;
};

// Drop-down list combo box; an entry's index is its position.
class IComboBox {
 public:
  virtual ~IComboBox() = default;
  virtual void AddString(std::string_view text) = 0;
  // Many at once: a toolkit may insert them in one step, which the dialog's
  // start-up notices (seventeen lists of up to a hundred entries).
  virtual void AddStrings(const std::vector<std::string>& texts) {
    for (const std::string& t : texts) AddString(t);
  }
  virtual void SetCurSel(int index) = 0;  // out of range: no change
  virtual int GetCurSel() const = 0;
  virtual int GetCount() const = 0;
};

// Edits and statics: the whole text. A multi-line edit reads back with
// CR LF at each line break.
class ITextControl {
 public:
  virtual ~ITextControl() = default;
  virtual std::string GetText() const = 0;
  virtual void SetText(std::string_view text) = 0;
};

// ---------------------------------------------------------------- printing

// One print job on the printer the user chose. Units are device units of a
// 300 dpi device, origin at the top-left corner of the printable area.
class IPrintJob {
 public:
  virtual ~IPrintJob() = default;
  virtual IDrawContext& Dc() = 0;
  virtual int HorzRes() const = 0;
  virtual int VertRes() const = 0;
  // Negative results report failure, as the platform's calls do.
  virtual int StartDoc(std::string_view docName) = 0;
  virtual int StartPage() = 0;
  virtual int EndPage() = 0;
  virtual int EndDoc() = 0;
  virtual void AbortDoc() = 0;
  // Uniform scale applied to everything drawn from now on (1.0 = none);
  // used to fit content taller than the page.
  virtual void SetScale(double scale) = 0;
};

// ---------------------------------------------------------------- files

enum class ReadStatus { Ok, OpenFailed, TooLarge, ReadFailed };
enum class WriteStatus { Ok, OpenFailed, WriteFailed };

struct ReadResult {
  ReadStatus status = ReadStatus::OpenFailed;
  std::string bytes;
};

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;
  // Reads the whole file as raw bytes; more than maxBytes gives TooLarge.
  virtual ReadResult ReadAll(const std::string& path, std::size_t maxBytes) = 0;
  // Replaces the file with bytes, or leaves the old file untouched.
  virtual WriteStatus WriteAll(const std::string& path,
                               std::string_view bytes) = 0;
};

// ---------------------------------------------------------------- the window

// Control IDs are the dialog IDs of res/resource.h.
class IPlatform {
 public:
  virtual ~IPlatform() = default;

  virtual IListView& ListView(int id) = 0;
  virtual IComboBox& ComboBox(int id) = 0;
  virtual ITextControl& TextControl(int id) = 0;

  // A drawing context on a control's client area; released when destroyed.
  virtual std::unique_ptr<IDrawContext> GetDC(int id) = 0;
  virtual Rect GetClientRect(int id) = 0;

  // Warning icon, OK button, titled with the application's title.
  virtual void MessageBox(std::string_view text) = 0;
  // Yes/No question; true for Yes.
  virtual bool AskYesNo(std::string_view text) = 0;

  // Common file dialogs; nullopt when the user cancels.
  virtual std::optional<std::string> GetOpenFileName() = 0;
  virtual std::optional<std::string> GetSaveFileName() = 0;
  // The open dialog for a watch's record (FIT, TCX, GPX).
  virtual std::optional<std::string> GetOpenRecordName() = 0;
  // How to cut a record into sections; nullopt on Cancel.
  virtual std::optional<ActivitySplit> AskActivitySplit(
      const ActivityRecord& record) = 0;
  virtual IFileSystem& Files() = 0;

  // The print dialog; nullptr when the user cancels.
  virtual std::unique_ptr<IPrintJob> PrintDialog() = 0;

  // Application-wide dialog background and text colour.
  virtual void SetDialogColors(Rgb background, Rgb text) = 0;
  // Repaints the whole dialog, background erased.
  virtual void InvalidateDialog() = 0;
  virtual void ShowAboutDialog() = 0;
  // Closes the main dialog with the given result.
  virtual void EndDialog(int result) = 0;

  // Creates the dialog's window and controls, binds and initialises the
  // dialog (DoDataExchange, OnInitDialog) and runs it until it ends.
  virtual int RunModal(CRaceDlg& dlg) = 0;
};

}  // namespace qv
