// A realisation of the platform layer without any window system: in-memory
// controls, drawing contexts that record every call, scripted answers for
// the dialogs. The tests and quorvane-report drive the real dialog code on it.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/platform.h"

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
  std::vector<std::vector<std::string>> m_rows;  // 8 cells (or more) a row
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

// A print job whose page is a recording context.
class PrintJob final : public IPrintJob {
 public:
  PrintJob(int horzRes, int vertRes, int externalLeading = 0);
  IDrawContext& Dc() override { return m_dc; }
  int HorzRes() const override { return m_horzRes; }
  int VertRes() const override { return m_vertRes; }
  int StartDoc(std::string_view docName) override;
  int StartPage() override;
  int EndPage() override;
  int EndDoc() override;
  void AbortDoc() override;
  void SetScale(double scale) override {
    m_scale = scale;
    m_record->opsAtScale = m_log->size();
  }

  // What happened, for the tests.
  struct Record {
    std::vector<DrawOp> ops;
    std::string docName;
    std::vector<std::string> calls;  // StartDoc, StartPage, EndPage, ...
    double scale = 1.0;
    std::size_t opsAtScale = 0;  // ops drawn before the last SetScale
  };
  std::shared_ptr<Record> record() const { return m_record; }

  int startDocResult = 1;
  int startPageResult = 1;
  int endPageResult = 1;
  int endDocResult = 1;

 private:
  std::shared_ptr<std::vector<DrawOp>> m_log;
  RecordingDc m_dc;
  int m_horzRes;
  int m_vertRes;
  double m_scale = 1.0;
  std::shared_ptr<Record> m_record;
};

// Files on the real disk. Writes go to a temporary file beside the target
// that replaces it only when complete.
class DiskFileSystem final : public IFileSystem {
 public:
  ReadResult ReadAll(const std::string& path, std::size_t maxBytes) override;
  WriteStatus WriteAll(const std::string& path, std::string_view bytes) override;
};

class Platform final : public IPlatform {
 public:
  Platform();

  IListView& ListView(int id) override;
  IComboBox& ComboBox(int id) override;
  ITextControl& TextControl(int id) override;
  std::unique_ptr<IDrawContext> GetDC(int id) override;
  Rect GetClientRect(int id) override;
  void MessageBox(std::string_view text) override;
  bool AskYesNo(std::string_view text) override;
  std::optional<std::string> GetOpenFileName() override;
  std::optional<std::string> GetSaveFileName() override;
  IFileSystem& Files() override { return *files; }
  std::unique_ptr<IPrintJob> PrintDialog() override;
  void SetDialogColors(Rgb background, Rgb text) override;
  void InvalidateDialog() override { ++invalidations; }
  void ShowAboutDialog() override { ++aboutDialogs; }
  void EndDialog(int result) override { endResult = result; }
  int RunModal(CRaceDlg& dlg) override;

  // Typed access for tests and tools.
  headless::ListView& List() { return m_list; }
  headless::ComboBox& Combo(int id);
  headless::TextControl& Text(int id);
  // Everything drawn on a control's surface since the last ClearSurface.
  std::vector<DrawOp>& Surface(int id);
  void ClearSurface(int id) { Surface(id).clear(); }

  // Scripted answers; an empty queue answers "cancel" / No.
  std::deque<std::optional<std::string>> openAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
  std::deque<bool> yesNoAnswers;
  // The next print dialog's job; nullptr means the user cancels.
  std::deque<std::unique_ptr<PrintJob>> printJobs;
  // When set, answers the print dialog instead (e.g. with a PDF job).
  std::function<std::unique_ptr<IPrintJob>()> printDialogHook;

  std::vector<std::string> messages;   // message boxes shown
  std::vector<std::string> questions;  // Yes/No questions asked
  std::optional<int> endResult;
  int invalidations = 0;
  int aboutDialogs = 0;
  Rgb dialogBackground{0, 0, 0};
  Rgb dialogText{0, 0, 0};
  bool colorsSet = false;
  Rect graphClientRect{0, 0, 356, 290};

  std::unique_ptr<IFileSystem> files;

 private:
  headless::ListView m_list;
  std::map<int, headless::ComboBox> m_combos;
  std::map<int, headless::TextControl> m_texts;
  std::map<int, std::shared_ptr<std::vector<DrawOp>>> m_surfaces;
};

}  // namespace qv::headless
