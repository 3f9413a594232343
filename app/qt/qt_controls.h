// The dialog's controls on Qt widgets, and the adapters through which the
// dialog's logic reaches them (IListView, IComboBox, ITextControl).
#pragma once

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTreeWidget>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "app/null_controls.h"
#include "app/platform.h"

namespace qv::qt {

// ---------------------------------------------------------------- widgets

// A group box as dialogs draw it: an etched frame whose top line runs
// through the middle of the caption. It only frames; the controls inside
// are its siblings, so it takes no mouse input.
class GroupFrame final : public QWidget {
  Q_OBJECT
 public:
  GroupFrame(const QString& caption, QWidget* parent);
  QString Caption() const { return m_caption; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString m_caption;
};

// A static control. Once something draws on it (GetDC), it shows the kept
// drawing instead of its text until the widget is destroyed, so the picture
// survives being covered, moved or repainted.
class StaticControl final : public QLabel {
  Q_OBJECT
 public:
  StaticControl(const QString& text, QWidget* parent);
  // The drawing surface, the size of the client area (inside the frame).
  // Created on first use, filled with the background colour.
  QImage& Surface();
  bool HasSurface() const { return !m_surface.isNull(); }
  // The next Surface() is made afresh at the control's present size.
  void DropSurface() { m_surface = QImage(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage m_surface;
};

// The section list: report style, full-row selection, several rows
// selectable, headers that do not sort. Clicked() follows every left click
// inside the rows' area, on a row or not, after the selection changed.
class SectionList final : public QTreeWidget {
  Q_OBJECT
 public:
  explicit SectionList(QWidget* parent);
  // The columns' widths at the list's first size; a wider list widens
  // them in proportion, so that all of them (the comparison's ninth too)
  // fit once there is room.
  void SetBaseWidths(std::vector<int> widths);

 signals:
  void Clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FitColumns();
  // Once after a batch of cell changes, not for each cell.
  void FitColumnsLater();
  bool m_leftPressed = false;
  bool m_fitPending = false;
  std::vector<int> m_baseWidths;
};

// A drop-down list combo box whose open list is as tall as the template's
// drop-down height allows. The list widget is made only when it first
// opens, which keeps the dialog's start-up light.
class DropDownCombo final : public QComboBox {
  Q_OBJECT
 public:
  DropDownCombo(int dropHeight, QWidget* parent);
  // The template's drop-down height in pixels, closed box included.
  int DropHeight() const { return m_dropHeight; }
  void showPopup() override;

 private:
  int m_dropHeight;
};

// The multi-line comment: wraps long lines, Enter starts a new line, Tab
// moves the focus on. UserEdited() follows changes the user makes only.
//
// Qt lays a paragraph out whole, in time that grows with the square of its
// length, and takes seconds for millions of paragraphs. So the text is held
// in blocks of about kPieceLength characters: short lines share a block,
// separated by line separators, and a longer line goes on over several
// blocks, each but the last marked as going on in the next.
class CommentEdit final : public QPlainTextEdit {
  Q_OBJECT
 public:
  static constexpr int kPieceLength = 4096;

  explicit CommentEdit(QWidget* parent);
  // The text with CR LF at each line break.
  QString CrLfText() const;
  // Takes CR LF, a bare LF or a bare CR as a line break.
  void SetCrLfText(const QString& text);

  // Pasted text is cut into pieces too.
  void insertFromMimeData(const QMimeData* source) override;

 signals:
  void UserEdited();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool m_settingText = false;
};

// ---------------------------------------------------------------- adapters

class ListViewControl final : public IListView {
 public:
  explicit ListViewControl(QTreeWidget* list) : m_list(list) {}
  void InsertColumn(int index, std::string_view header, int width) override;
  void DeleteColumn(int index) override;
  int GetColumnCount() const override {
    return static_cast<int>(m_headers.size());
  }
  int InsertItem(int pos, std::string_view text) override;
  void SetItemText(int column, std::string_view text) override;
  void DeleteAllItems() override;
  int GetFirstSelected() const override;
  std::string GetItemText(int row, int column) const override;
  int GetItemCount() const override;
  int ClientWidth() const override;

 private:
  QPointer<QTreeWidget> m_list;
  std::vector<QString> m_headers;
  std::vector<int> m_widths;
  int m_lastRow = -1;  // the row the cell setters write to
};

class ComboControl final : public IComboBox {
 public:
  explicit ComboControl(QComboBox* combo) : m_combo(combo) {}
  void AddString(std::string_view text) override;
  void AddStrings(const std::vector<std::string>& texts) override;
  void SetCurSel(int index) override;
  int GetCurSel() const override;
  int GetCount() const override;

 private:
  QPointer<QComboBox> m_combo;
};

// A one-line edit lays its whole text out on every change and paint, which
// takes seconds for millions of characters. A text longer than
// kLongestEditable (only a file brings one) is kept here whole and read
// back whole; the edit shows its start, read-only.
class LineEditText final : public ITextControl {
 public:
  static constexpr qsizetype kLongestEditable = 100000;

  explicit LineEditText(QLineEdit* edit) : m_edit(edit) {}
  std::string GetText() const override;
  void SetText(std::string_view text) override;

 private:
  QPointer<QLineEdit> m_edit;
  std::optional<std::string> m_tooLong;
};

class CommentText final : public ITextControl {
 public:
  explicit CommentText(CommentEdit* edit) : m_edit(edit) {}
  std::string GetText() const override;
  void SetText(std::string_view text) override;

 private:
  QPointer<CommentEdit> m_edit;
};

class LabelText final : public ITextControl {
 public:
  explicit LabelText(QLabel* label) : m_label(label) {}
  std::string GetText() const override;
  void SetText(std::string_view text) override;

 private:
  QPointer<QLabel> m_label;
};

// UTF-8 at the edge of the platform layer.
QString ToQString(std::string_view text);
std::string ToUtf8(const QString& text);

}  // namespace qv::qt
