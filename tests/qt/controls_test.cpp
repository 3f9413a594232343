// The control adapters: what the dialog's logic relies on from the list
// view, the combo boxes and the text controls.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>
#include <string>

#include "app/qt/qt_controls.h"

namespace qv::qt {
namespace {

std::string Row(const ListViewControl& list, int row, int columns) {
  std::string out;
  for (int c = 0; c < columns; ++c) {
    if (c > 0) out += "|";
    out += list.GetItemText(row, c);
  }
  return out;
}

TEST(QtControlsTest, ListRowsStandWhereInsertedAndCellsGoToTheLatestRow) {
  SectionList tree(nullptr);
  ListViewControl list(&tree);
  list.InsertColumn(0, "区間", 30);
  list.InsertColumn(1, "出発", 60);
  list.InsertColumn(2, "到着", 60);
  EXPECT_EQ(tree.columnCount(), 3);
  EXPECT_EQ(tree.headerItem()->text(0), QStringLiteral("区間"));
  EXPECT_EQ(tree.columnWidth(1), 60);

  EXPECT_EQ(list.InsertItem(0, "1"), 0);
  list.SetItemText(1, "0 km");
  list.SetItemText(2, "5 km");
  EXPECT_EQ(list.InsertItem(1, "全区間"), 1);
  list.SetItemText(2, "10 km");
  // Inserted at the position of an existing row: it lands before it.
  EXPECT_EQ(list.InsertItem(1, "2"), 1);
  list.SetItemText(1, "5 km");
  // Past the end: appended.
  EXPECT_EQ(list.InsertItem(99, "9"), 3);
  // Before the start: first.
  EXPECT_EQ(list.InsertItem(-3, "0"), 0);

  ASSERT_EQ(list.GetItemCount(), 5);
  EXPECT_EQ(Row(list, 0, 3), "0||");
  EXPECT_EQ(Row(list, 1, 3), "1|0 km|5 km");
  EXPECT_EQ(Row(list, 2, 3), "2|5 km|");
  EXPECT_EQ(Row(list, 3, 3), "全区間||10 km");
  EXPECT_EQ(Row(list, 4, 3), "9||");
  // Cells that do not exist read as empty texts.
  EXPECT_EQ(list.GetItemText(5, 0), "");
  EXPECT_EQ(list.GetItemText(-1, 0), "");
  EXPECT_EQ(list.GetItemText(0, 3), "");
  EXPECT_EQ(list.GetItemText(0, -1), "");

  list.DeleteAllItems();
  EXPECT_EQ(list.GetItemCount(), 0);
  EXPECT_EQ(tree.columnCount(), 3);
  // With no row inserted since, a cell has nowhere to go.
  list.SetItemText(1, "x");
  EXPECT_EQ(list.GetItemCount(), 0);
}

TEST(QtControlsTest, FirstSelectedIsTheLowestSelectedRowOrMinusOne) {
  SectionList tree(nullptr);
  ListViewControl list(&tree);
  list.InsertColumn(0, "n", 20);
  for (int i = 0; i < 5; ++i) list.InsertItem(i, std::to_string(i));
  EXPECT_EQ(list.GetFirstSelected(), -1);
  tree.topLevelItem(3)->setSelected(true);
  tree.topLevelItem(1)->setSelected(true);
  EXPECT_EQ(list.GetFirstSelected(), 1);
  tree.clearSelection();
  EXPECT_EQ(list.GetFirstSelected(), -1);
}

TEST(QtControlsTest, ComboKeepsOrderAndIgnoresSelectionsOutOfRange) {
  QComboBox box;
  ComboControl combo(&box);
  EXPECT_EQ(combo.GetCount(), 0);
  combo.AddString("グロス");
  combo.AddString("ネット");
  combo.AddString("アルファ");
  EXPECT_EQ(combo.GetCount(), 3);
  EXPECT_EQ(box.itemText(2), QStringLiteral("アルファ"));  // not sorted
  combo.SetCurSel(1);
  EXPECT_EQ(combo.GetCurSel(), 1);
  EXPECT_EQ(box.currentText(), QStringLiteral("ネット"));
  combo.SetCurSel(3);
  combo.SetCurSel(-1);
  EXPECT_EQ(combo.GetCurSel(), 1);
}

struct CommentCase {
  const char* set;
  const char* readBack;
};

TEST(QtControlsTest, CommentReadsBackWithCrLfAtEachLineBreak) {
  const CommentCase cases[] = {
      {"", ""},
      {"晴れ", "晴れ"},
      {"a\r\nb", "a\r\nb"},
      {"a\nb", "a\r\nb"},  // a bare LF is a line break too
      {"a\rb", "a\r\nb"},  // and a bare CR
      {"a\r\n\r\nb\n", "a\r\n\r\nb\r\n"},
      {"x\xC2\xA0y", "x\xC2\xA0y"},  // a no-break space stays as it is
  };
  CommentEdit edit(nullptr);
  CommentText text(&edit);
  int userEdits = 0;
  QObject::connect(&edit, &CommentEdit::UserEdited, [&] { ++userEdits; });
  for (const CommentCase& c : cases) {
    SCOPED_TRACE(c.set);
    text.SetText(c.set);
    EXPECT_EQ(text.GetText(), c.readBack);
  }
  EXPECT_EQ(userEdits, 0);  // setting the text is not the user's edit
}

TEST(QtControlsTest, CommentWrapsLongLinesAndCountsTypingAsAnEdit) {
  CommentEdit edit(nullptr);
  EXPECT_EQ(edit.lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_TRUE(edit.tabChangesFocus());
  EXPECT_EQ(edit.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  int userEdits = 0;
  QObject::connect(&edit, &CommentEdit::UserEdited, [&] { ++userEdits; });
  QTest::keyClicks(&edit, "ok");
  EXPECT_EQ(userEdits, 2);
  // A wrapped line is still one line: no break in the text.
  CommentText text(&edit);
  edit.resize(120, 80);
  text.SetText(std::string(200, 'w'));
  EXPECT_EQ(text.GetText(), std::string(200, 'w'));
}

// A line longer than a piece is held in several blocks that read back as
// one line; the user's Enter and Backspace inside it, and a long line
// pasted, still give the text the user sees.
TEST(QtControlsTest, CommentEditsInsideALongLineKeepItsText) {
  const int piece = CommentEdit::kPieceLength;
  const std::string line(3 * piece + 10, 'a');
  CommentEdit edit(nullptr);
  CommentText text(&edit);
  text.SetText("x\r\n" + line + "\r\ny");
  // x | three pieces of the line | its last ten characters and y
  ASSERT_EQ(edit.document()->blockCount(), 5);
  EXPECT_EQ(text.GetText(), "x\r\n" + line + "\r\ny");

  // Ten characters into the line's second piece.
  QTextCursor cursor(edit.document()->findBlockByNumber(2));
  cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor, 10);
  edit.setTextCursor(cursor);
  QTest::keyClick(&edit, Qt::Key_Return);
  const std::string head(piece + 10, 'a');
  const std::string tail(line.size() - head.size(), 'a');
  EXPECT_EQ(text.GetText(), "x\r\n" + head + "\r\n" + tail + "\r\ny");
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(text.GetText(), "x\r\n" + line + "\r\ny");

  // A break typed at the start of a piece, then taken back.
  edit.setTextCursor(QTextCursor(edit.document()->findBlockByNumber(3)));
  QTest::keyClick(&edit, Qt::Key_Return);
  const std::string before(2 * piece, 'a');
  EXPECT_EQ(text.GetText(), "x\r\n" + before + "\r\n" +
                                std::string(piece + 10, 'a') + "\r\ny");
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(text.GetText(), "x\r\n" + line + "\r\ny");

  // Pasted at the very end: the long line is cut into pieces too.
  QMimeData pasted;
  pasted.setText(QString(2 * piece, QChar('p')) + QStringLiteral("\nq"));
  QTextCursor end(edit.document());
  end.movePosition(QTextCursor::End);
  edit.setTextCursor(end);
  edit.insertFromMimeData(&pasted);
  EXPECT_EQ(text.GetText(), "x\r\n" + line + "\r\ny" +
                                std::string(2 * piece, 'p') + "\r\nq");
  for (QTextBlock b = edit.document()->begin(); b.isValid(); b = b.next())
    EXPECT_LE(b.length(), 2 * piece + 1);
}

TEST(QtControlsTest, AdaptersOutliveTheirWidgetsSafely) {
  auto* tree = new SectionList(nullptr);
  ListViewControl list(tree);
  auto* box = new QComboBox;
  ComboControl combo(box);
  delete tree;
  delete box;
  EXPECT_EQ(list.InsertItem(0, "1"), -1);
  EXPECT_EQ(list.GetItemCount(), 0);
  EXPECT_EQ(list.GetFirstSelected(), -1);
  EXPECT_EQ(combo.GetCurSel(), -1);
  combo.AddString("x");
  EXPECT_EQ(combo.GetCount(), 0);
}

}  // namespace
}  // namespace qv::qt
