// The Qt controls and adapters the dialog's logic relies on.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>

#include "app/qt/qt_controls.h"
#include "app/qt/qt_split_dialog.h"
#include "file/activity_readers.h"
#include "res/strings.h"
#include "tests/qt/modal_watcher.h"

namespace qv::qt {
namespace {

// Rows stand where inserted (clamped), cells go to the latest row, missing
// cells read empty; a click, on a row or not, is told once the selection
// has changed to whole rows. Without its widget the adapter holds nothing.
TEST(QtControlsTest, ListRowsCellsAndSelection) {
  auto* tree = new SectionList(nullptr);
  ListViewControl list(tree);
  for (int c = 0; c < 3; ++c) list.InsertColumn(c, std::to_string(c), 30 + c);
  for (const auto& [pos, text] :
       {std::pair{0, "b"}, {1, "d"}, {1, "c"}, {99, "e"}, {-3, "a"}}) {
    list.InsertItem(pos, text);
    list.SetItemText(2, text);
  }
  std::string all;
  for (int r = -1; r <= list.GetItemCount(); ++r)
    for (int c = -1; c <= 3; ++c) all += list.GetItemText(r, c) + ",";
  EXPECT_EQ(all, ",,,,,,a,,a,,,b,,b,,,c,,c,,,d,,d,,,e,,e,,,,,,,");
  tree->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(tree));
  std::vector<int> seen;
  QObject::connect(tree, &SectionList::Clicked,
                   [&] { seen.push_back(list.GetFirstSelected()); });
  const int row3 = tree->visualItemRect(tree->topLevelItem(3)).center().y();
  for (QPoint at : {QPoint(3, tree->viewport()->height() - 4),
                    QPoint(tree->columnViewportPosition(2) + 3, row3)})
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(seen, (std::vector<int>{-1, 3}));
  EXPECT_EQ(tree->selectionModel()->selectedIndexes().size(), 3);
  tree->topLevelItem(1)->setSelected(true);
  EXPECT_EQ(list.GetFirstSelected(), 1);
  list.DeleteAllItems();
  list.SetItemText(1, "x");  // no row to go to
  EXPECT_EQ(list.GetItemCount() + list.GetFirstSelected(), -1);
  EXPECT_EQ(tree->columnCount(), 3);
  delete tree;
  EXPECT_EQ(list.InsertItem(0, "1"), -1);
  EXPECT_EQ(list.GetItemCount() + list.GetFirstSelected(), -1);
}

TEST(QtControlsTest, ComboKeepsOrderAndIgnoresSelectionsOutOfRange) {
  auto* box = new QComboBox;
  ComboControl combo(box);
  for (const char* s : {"グロス", "ネット", "アルファ"}) combo.AddString(s);
  for (int index : {1, 3, -1}) combo.SetCurSel(index);
  EXPECT_EQ(combo.GetCurSel(), 1);
  EXPECT_EQ(box->itemText(1) + box->itemText(2), "ネットアルファ");
  delete box;  // and then the adapter holds nothing
  combo.AddString("x");
  EXPECT_EQ(combo.GetCount() + combo.GetCurSel(), -1);
}

// The comment reads back with CR LF at each line break. A long line is
// held in blocks of a piece; the user's Enter and Backspace inside it, and
// a long line pasted, give the text shown.
TEST(QtControlsTest, CommentKeepsItsLinesWhole) {
  const int piece = CommentEdit::kPieceLength, length = 3 * piece + 10;
  auto a = [](int n) { return std::string(n, 'a'); };
  const std::string whole = "x\r\n" + a(length) + "\r\ny";
  CommentEdit edit(nullptr);
  CommentText text(&edit);
  int userEdits = 0;
  QObject::connect(&edit, &CommentEdit::UserEdited, [&] { ++userEdits; });
  for (const auto& [set, back] :  // a no-break space is no line break
       {std::pair{"", ""}, {"x\xC2\xA0y", "x\xC2\xA0y"},
        {"a\nb\rc\r\n\r\nd\n", "a\r\nb\r\nc\r\n\r\nd\r\n"},
        {whole.c_str(), whole.c_str()}}) {
    text.SetText(set);
    EXPECT_EQ(text.GetText(), back) << set;
  }
  EXPECT_EQ(userEdits, 0);  // setting the text is not the user's edit
  ASSERT_EQ(edit.document()->blockCount(), 5);
  // Ten characters into the line's second piece, then at its third.
  for (const auto& [block, offset] : {std::pair{2, 10}, {3, 0}}) {
    QTextCursor cursor(edit.document()->findBlockByNumber(block));
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor,
                        offset);
    edit.setTextCursor(cursor);
    QTest::keyClick(&edit, Qt::Key_Return);
    const int head = (block - 1) * piece + offset;
    EXPECT_EQ(text.GetText(),
              "x\r\n" + a(head) + "\r\n" + a(length - head) + "\r\ny");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(text.GetText(), whole);
  }
  QMimeData pasted;
  pasted.setText(QString(2 * piece, 'p') + "\nq");
  edit.moveCursor(QTextCursor::End);
  edit.insertFromMimeData(&pasted);
  EXPECT_EQ(text.GetText(), whole + std::string(2 * piece, 'p') + "\r\nq");
  for (QTextBlock b = edit.document()->begin(); b.isValid(); b = b.next())
    EXPECT_LE(b.length(), 2 * piece + 1);
}

// The dialog starts as the core offers: by laps from a lap on, chosen as
// OfferSplit says; every 1 km otherwise, closed without points; no
// official distance. A wrong number keeps the dialog open, with its message.
TEST(QtControlsTest, SplitDialogDefaultsAndRefusals) {
  const auto record = [](std::size_t laps, bool points) {
    ActivityRecord r;
    for (std::size_t k = 0; k < laps; ++k) activity::AddLap(r, ActivityLap{});
    r.tracks.resize(1);
    if (points) r.tracks[0].points.resize(2);
    return r;
  };
  for (const auto& [laps, points] :
       {std::pair{0u, true}, {1u, false}, {1u, true}, {2u, true}, {45u, true},
        {46u, true}}) {
    SCOPED_TRACE(laps);
    const ActivityRecord r = record(laps, points);
    SplitDialog d(r, nullptr);
    ActivityError error;
    const std::optional<ActivitySplit> split = d.Split(error);
    EXPECT_EQ(d.ByLaps()->isEnabled(), OfferSplit(r).lapsOffered);
    EXPECT_EQ(d.ByKm()->isEnabled(), points);
    EXPECT_TRUE(split && split->everyKm == 1.0 && !split->officialKm &&
                (split->kind == ActivitySplit::Kind::Laps) ==
                    OfferSplit(r).lapsFirst);
    EXPECT_EQ(d.findChildren<QLabel*>().size(), laps > 45 ? 5 : 4);
  }
  {
    // Two logs of one hike: the first with points is taken, and the list
    // says how many the file holds and lets the user take another.
    ActivityRecord hike = record(0, false);
    hike.tracks.resize(3);
    hike.tracks[1] = {.name = "day 1", .points = {{}, {}}};
    hike.tracks[2].points.resize(3);
    hike.defaultTrack = 1;
    SplitDialog d(hike, nullptr);
    ASSERT_TRUE(d.Tracks() && d.Tracks()->count() == 3);
    EXPECT_EQ(d.Tracks()->currentText().toStdString(),
              Fill(kSplitTrackPoints, {"2: day 1", "2"}));
    ActivityError error;
    for (int track : {1, 0, 2}) {
      d.Tracks()->setCurrentIndex(track);
      EXPECT_EQ(d.ByKm()->isEnabled(), track != 0);
      EXPECT_TRUE(track == 0 || d.Split(error)->track == std::size_t(track));
    }
    EXPECT_EQ(SplitDialog(record(1, true), nullptr).Tracks(), nullptr);
  }
  {
    // A 92.622 km ride of 9 laps: each choice says what it makes, and one
    // over 45 sections says what would fit and closes OK.
    ActivityRecord ride = record(9, true);
    ride.tracks[0].points[1].timeMs = 3'600'000;
    ride.tracks[0].points[0].distanceM = 0;
    ride.tracks[0].points[1].distanceM = 92'622;
    SplitDialog d(ride, nullptr);
    QPushButton* ok = d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_EQ(d.ByLaps()->text(), QStringLiteral("ラップごと（9 区間）"));
    d.ByKm()->setChecked(true);
    std::vector<QString> texts;
    for (const char* km : {"1", "2.1"}) {
      d.EveryKm()->setText(QString::fromUtf8(km));
      for (QLabel* l : d.findChildren<QLabel*>())
        if (l->buddy() == d.EveryKm()) texts.push_back(l->text());
      texts.push_back(ok->isEnabled() ? "ok" : "closed");
    }
    EXPECT_EQ(texts, (std::vector<QString>{
                         QStringLiteral("km ごと（93 区間：2.1 km 以上にしてください）"),
                         "closed", QStringLiteral("km ごと（45 区間）"), "ok"}));
  }
  SplitDialog d(record(3, true), nullptr);
  d.show();
  d.EveryKm()->clear();
  QTest::keyClicks(d.EveryKm(), "0.05");  // typing a distance picks it
  EXPECT_TRUE(d.ByKm()->isChecked());
  const test::Modals modals;
  d.accept();
  EXPECT_EQ(modals.texts.join("").toStdString(), kMsgImportBadSplit);
  EXPECT_TRUE(d.isVisible());
  EXPECT_NE(d.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace qv::qt
