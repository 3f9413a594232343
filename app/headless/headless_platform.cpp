#include "app/headless/headless_platform.h"

#include <algorithm>

#include "app/race_dlg.h"
#include "file/disk_file.h"
#include "res/resource.h"

namespace qv::headless {

// ---------------------------------------------------------------- ListView

void ListView::InsertColumn(int index, std::string_view header, int width) {
  const auto pos = static_cast<std::size_t>(
      std::clamp(index, 0, static_cast<int>(m_columns.size())));
  m_columns.insert(m_columns.begin() + static_cast<std::ptrdiff_t>(pos),
                   Column{std::string(header), width});
}

void ListView::DeleteColumn(int index) {
  if (index < 0 || index >= static_cast<int>(m_columns.size())) return;
  const auto at = static_cast<std::ptrdiff_t>(index);
  m_columns.erase(m_columns.begin() + at);
  for (auto& row : m_rows) {
    if (at < static_cast<std::ptrdiff_t>(row.size()))
      row.erase(row.begin() + at);
  }
}

int ListView::InsertItem(int pos, std::string_view text) {
  const int count = static_cast<int>(m_rows.size());
  pos = std::clamp(pos, 0, count);
  std::vector<std::string> row(std::max<std::size_t>(m_columns.size(), 1));
  row[0] = std::string(text);
  m_rows.insert(m_rows.begin() + pos, std::move(row));
  m_selected.insert(m_selected.begin() + pos, false);
  m_lastInserted = pos;
  return pos;
}

void ListView::SetItemText(int column, std::string_view text) {
  if (m_lastInserted < 0 || m_lastInserted >= static_cast<int>(m_rows.size()))
    return;
  auto& row = m_rows[static_cast<std::size_t>(m_lastInserted)];
  if (column < 0 || column >= static_cast<int>(row.size())) return;
  row[static_cast<std::size_t>(column)] = std::string(text);
}

void ListView::DeleteAllItems() {
  m_rows.clear();
  m_selected.clear();
  m_lastInserted = -1;
}

int ListView::GetFirstSelected() const {
  for (std::size_t i = 0; i < m_selected.size(); ++i)
    if (m_selected[i]) return static_cast<int>(i);
  return -1;
}

std::string ListView::GetItemText(int row, int column) const {
  if (row < 0 || row >= static_cast<int>(m_rows.size())) return {};
  const auto& cells = m_rows[static_cast<std::size_t>(row)];
  if (column < 0 || column >= static_cast<int>(cells.size())) return {};
  return cells[static_cast<std::size_t>(column)];
}

void ListView::Select(std::vector<int> rows) {
  std::fill(m_selected.begin(), m_selected.end(), false);
  for (int r : rows)
    if (r >= 0 && r < static_cast<int>(m_selected.size()))
      m_selected[static_cast<std::size_t>(r)] = true;
}

// ---------------------------------------------------------------- ComboBox

void ComboBox::AddString(std::string_view text) {
  m_items.emplace_back(text);
}

void ComboBox::SetCurSel(int index) {
  if (index >= 0 && index < static_cast<int>(m_items.size())) m_sel = index;
}

// ---------------------------------------------------------------- RecordingDc

RecordingDc::RecordingDc(std::shared_ptr<std::vector<DrawOp>> log,
                         int metricsExternalLeading)
    : m_log(std::move(log)), m_externalLeading(metricsExternalLeading) {}

RecordingDc::~RecordingDc() { Add(DrawOp::Kind::Release); }

DrawOp& RecordingDc::Add(DrawOp::Kind kind) {
  DrawOp op;
  op.kind = kind;
  op.pen = m_pen;
  op.font = m_font;
  op.textColor = m_textColor;
  op.background = m_background;
  m_log->push_back(std::move(op));
  return m_log->back();
}

void RecordingDc::FillSolidRect(const Rect& r, Rgb c) {
  DrawOp& op = Add(DrawOp::Kind::FillSolidRect);
  op.rect = r;
  op.color = c;
  m_background = c;
}

PenHandle RecordingDc::CreatePen(PenStyle style, int width, Rgb c) {
  const int h = m_nextHandle++;
  m_pens[h] = PenInfo{style, width, c};
  DrawOp& op = Add(DrawOp::Kind::CreatePen);
  op.handle = h;
  op.style = style;
  op.width = width;
  op.color = c;
  return h;
}

FontHandle RecordingDc::CreateFont(int height, std::string_view face) {
  const int h = m_nextHandle++;
  m_fonts[h] = height;
  DrawOp& op = Add(DrawOp::Kind::CreateFont);
  op.handle = h;
  op.height = height;
  op.text = std::string(face);
  return h;
}

PenHandle RecordingDc::SelectPen(PenHandle pen) {
  const PenHandle previous = m_pen;
  m_pen = pen;
  DrawOp& op = Add(DrawOp::Kind::SelectPen);
  op.handle = pen;
  op.previous = previous;
  return previous;
}

FontHandle RecordingDc::SelectFont(FontHandle font) {
  const FontHandle previous = m_font;
  m_font = font;
  DrawOp& op = Add(DrawOp::Kind::SelectFont);
  op.handle = font;
  op.previous = previous;
  return previous;
}

void RecordingDc::DeletePen(PenHandle pen) {
  Add(DrawOp::Kind::DeletePen).handle = pen;
}

void RecordingDc::DeleteFont(FontHandle font) {
  Add(DrawOp::Kind::DeleteFont).handle = font;
}

void RecordingDc::MoveTo(int x, int y) {
  DrawOp& op = Add(DrawOp::Kind::MoveTo);
  op.x = x;
  op.y = y;
  m_curX = x;
  m_curY = y;
}

void RecordingDc::LineTo(int x, int y) {
  DrawOp& op = Add(DrawOp::Kind::LineTo);
  op.fromX = m_curX;
  op.fromY = m_curY;
  op.x = x;
  op.y = y;
  m_curX = x;
  m_curY = y;
}

void RecordingDc::SetTextColor(Rgb c) {
  Add(DrawOp::Kind::SetTextColor).color = c;
  m_textColor = c;
}

void RecordingDc::TextOut(int x, int y, std::string_view text) {
  DrawOp& op = Add(DrawOp::Kind::TextOut);
  op.x = x;
  op.y = y;
  op.text = std::string(text);
}

TextMetrics RecordingDc::GetTextMetrics() {
  return TextMetrics{FontHeight(m_font), m_externalLeading};
}

PenInfo RecordingDc::Pen(PenHandle h) const {
  auto it = m_pens.find(h);
  return it == m_pens.end() ? PenInfo{} : it->second;
}

int RecordingDc::FontHeight(FontHandle h) const {
  auto it = m_fonts.find(h);
  return it == m_fonts.end() ? 16 : it->second;
}

// ---------------------------------------------------------------- files

ReadResult DiskFileSystem::ReadAll(const std::string& path,
                                   std::size_t maxBytes) {
  return ReadRegularFile(path, maxBytes);
}

// ---------------------------------------------------------------- Platform

IListView& Platform::ListView(int /*id*/) { return m_list; }

IComboBox& Platform::ComboBox(int id) { return Combo(id); }

ITextControl& Platform::TextControl(int id) { return Text(id); }

headless::ComboBox& Platform::Combo(int id) { return m_combos[id]; }

headless::TextControl& Platform::Text(int id) { return m_texts[id]; }

std::vector<DrawOp>& Platform::Surface(int id) {
  auto& log = m_surfaces[id];
  if (!log) log = std::make_shared<std::vector<DrawOp>>();
  return *log;
}

std::unique_ptr<IDrawContext> Platform::GetDC(int id) {
  Surface(id);  // make sure the log exists
  return std::make_unique<RecordingDc>(m_surfaces[id]);
}

Rect Platform::GetClientRect(int id) {
  if (id == IDC_GRAPH) return graphClientRect;
  return Rect{};
}

void Platform::MessageBox(std::string_view text) {
  messages.emplace_back(text);
}

std::unique_ptr<IPrintJob> Platform::PrintDialog() {
  return std::move(nextPrintJob);
}

void Platform::SetDialogColors(Rgb background, Rgb text) {
  dialogBackground = background;
  dialogText = text;
  colorsSet = true;
}

int Platform::RunModal(CRaceDlg& dlg) {
  dlg.OnInitDialog();
  return endResult.value_or(IDOK);
}

}  // namespace qv::headless
