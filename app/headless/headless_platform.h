// The platform layer without any window system, as quorvane-report ships
// it: in-memory controls, drawing contexts that record every call, race
// files read from the disk. The tests derive their scripted platform from it
// (tests/doubles).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/platform.h"
#include "file/activity.h"

namespace qv::headless {

class ListView final : public IListView {
 public:
  explicit ListView(int clientWidth = 700) : m_clientWidth(clientWidth) {}
  void InsertColumn(int index, std::string_view header, int width) override;
  void DeleteColumn(int index) override;
  int GetColumnCount() const override {
    return static_cast<int>(m_columns.size());
  }
  int InsertItem(int pos, std::string_view text) override;
  void SetItemText(int column, std::string_view text) override;
  void DeleteAllItems() override;
  int GetFirstSelected() const override;
  std::string GetItemText(int row, int column) const override;
  int GetItemCount() const override { return static_cast<int>(m_rows.size()); }
  int ClientWidth() const override { return m_clientWidth; }

  struct Column {
    std::string header;
    int width = 0;
  };
  const std::vector<Column>& Columns() const { return m_columns; }
  // Selects exactly these rows (out-of-range rows are ignored), as a click
  // would before the click notification.
  void Select(std::vector<int> rows);
  const std::vector<std::vector<std::string>>& Rows() const { return m_rows; }

 private:
  int m_clientWidth;
  std::vector<Column> m_columns;
  std::vector<std::vector<std::string>> m_rows;  // a cell for each column
  std::vector<bool> m_selected;
  int m_lastInserted = -1;
};

class ComboBox final : public IComboBox {
 public:
  void AddString(std::string_view text) override;
  void SetCurSel(int index) override;
  int GetCurSel() const override { return m_sel; }
  int GetCount() const override { return static_cast<int>(m_items.size()); }
  const std::vector<std::string>& Items() const { return m_items; }

 private:
  std::vector<std::string> m_items;
  int m_sel = -1;
};

class TextControl final : public ITextControl {
 public:
  std::string GetText() const override { return m_text; }
  void SetText(std::string_view text) override { m_text = text; }

 private:
  std::string m_text;
};

// One recorded drawing call.
struct DrawOp {
  enum class Kind {
    FillSolidRect,  // rect, color
    CreatePen,      // handle, style, width, color
    CreateFont,     // handle, height, text = face
    SelectPen,      // handle (the selected one), previous
    SelectFont,     // handle, previous
    DeletePen,      // handle
    DeleteFont,     // handle
    MoveTo,         // x, y
    LineTo,         // x, y, from current (fromX, fromY)
    SetTextColor,   // color
    TextOut,        // x, y, text
    Release,        // the context was given back
  };
  Kind kind = Kind::Release;
  int x = 0;
  int y = 0;
  int fromX = 0;
  int fromY = 0;
  Rect rect;
  Rgb color;
  PenStyle style = PenStyle::Solid;
  int width = 0;
  int height = 0;
  int handle = 0;
  int previous = 0;
  std::string text;

  // State at the time of the call (for lines and texts).
  int pen = 0;
  int font = 0;
  Rgb textColor;
  Rgb background;
  friend bool operator==(const DrawOp&, const DrawOp&) = default;
};

struct PenInfo {
  PenStyle style = PenStyle::Solid;
  int width = 1;
  Rgb color;
};

// Records every call; the log is shared, so it outlives the context.
class RecordingDc final : public IDrawContext {
 public:
  explicit RecordingDc(std::shared_ptr<std::vector<DrawOp>> log,
                       int metricsExternalLeading = 0);
  ~RecordingDc() override;

  void FillSolidRect(const Rect& r, Rgb c) override;
  PenHandle CreatePen(PenStyle style, int width, Rgb c) override;
  FontHandle CreateFont(int height, std::string_view face) override;
  PenHandle SelectPen(PenHandle pen) override;
  FontHandle SelectFont(FontHandle font) override;
  void DeletePen(PenHandle pen) override;
  void DeleteFont(FontHandle font) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void SetTextColor(Rgb c) override;
  void TextOut(int x, int y, std::string_view text) override;
  TextMetrics GetTextMetrics() override;
  // Nothing is drawn here, so nothing is measured: 0.
  int TextWidth(std::string_view) override { return 0; }

  // The pen or font with that handle (0: the stock ones: black 1-px solid
  // pen; a font of height 16).
  PenInfo Pen(PenHandle h) const;
  int FontHeight(FontHandle h) const;
  PenHandle CurrentPen() const { return m_pen; }
  FontHandle CurrentFont() const { return m_font; }
  Rgb TextColor() const { return m_textColor; }

 private:
  DrawOp& Add(DrawOp::Kind kind);

  std::shared_ptr<std::vector<DrawOp>> m_log;
  int m_externalLeading;
  std::map<int, PenInfo> m_pens;
  std::map<int, int> m_fonts;
  int m_nextHandle = 1;
  PenHandle m_pen = 0;
  FontHandle m_font = 0;
  Rgb m_textColor{0, 0, 0};
  Rgb m_background{255, 255, 255};
  int m_curX = 0;
  int m_curY = 0;
};

// Race files read from the disk as the window program reads them. The report
// tool never saves a race, so a write is refused, never done behind the
// user's back.
class DiskFileSystem final : public IFileSystem {
 public:
  ReadResult ReadAll(const std::string& path, std::size_t maxBytes) override;
  WriteStatus WriteAll(const std::string&, std::string_view) override {
    return WriteStatus::OpenFailed;
  }
};

// Nobody sits in front of it: a question is answered No, a file dialog is
// cancelled, and a message is kept in `messages` for the caller to pass on.
class Platform : public IPlatform {
 public:
  IListView& ListView(int id) override;
  IComboBox& ComboBox(int id) override;
  ITextControl& TextControl(int id) override;
  std::unique_ptr<IDrawContext> GetDC(int id) override;
  Rect GetClientRect(int id) override;
  void MessageBox(std::string_view text) override;
  bool AskYesNo(std::string_view) override { return false; }
  std::optional<std::string> GetOpenFileName() override { return {}; }
  std::optional<std::string> GetSaveFileName() override { return {}; }
  std::optional<std::string> GetOpenRecordName() override { return {}; }
  std::optional<ActivitySplit> AskActivitySplit(const ActivityRecord&) override {
    return {};
  }
  IFileSystem& Files() override { return m_files; }
  // The next print command prints on nextPrintJob; none: it is cancelled.
  std::unique_ptr<IPrintJob> PrintDialog() override;
  void SetDialogColors(Rgb background, Rgb text) override;
  void InvalidateDialog() override {}
  void ShowAboutDialog() override {}
  void EndDialog(int result) override { endResult = result; }
  int RunModal(CRaceDlg& dlg) override;

  // Typed access for the caller.
  headless::ListView& List() { return m_list; }
  headless::ComboBox& Combo(int id);
  headless::TextControl& Text(int id);
  // Everything drawn on a control's surface since the last ClearSurface.
  std::vector<DrawOp>& Surface(int id);
  void ClearSurface(int id) { Surface(id).clear(); }

  std::unique_ptr<IPrintJob> nextPrintJob;
  std::vector<std::string> messages;  // message boxes shown
  std::optional<int> endResult;
  Rgb dialogBackground{0, 0, 0};
  Rgb dialogText{0, 0, 0};
  bool colorsSet = false;
  Rect graphClientRect{0, 0, 356, 290};

 private:
  DiskFileSystem m_files;
  headless::ListView m_list;
  std::map<int, headless::ComboBox> m_combos;
  std::map<int, headless::TextControl> m_texts;
  std::map<int, std::shared_ptr<std::vector<DrawOp>>> m_surfaces;
};

}  // namespace qv::headless
