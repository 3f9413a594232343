#include "app/qt/qt_controls.h"

#include <qdrawutil.h>

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>

#include "res/i18n.h"

namespace qv::qt {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// ---------------------------------------------------------------- GroupFrame

GroupFrame::GroupFrame(const QString& caption, QWidget* parent)
    : QWidget(parent), m_caption(caption) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void GroupFrame::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFontMetrics fm = fontMetrics();
  const int textLeft = fm.averageCharWidth();
  constexpr int kGap = 2;
  const QRect textRect(textLeft, 0, fm.horizontalAdvance(m_caption),
                       fm.height());

  // The frame's top line stops on either side of the caption.
  if (!m_caption.isEmpty()) {
    p.setClipRegion(QRegion(rect()).subtracted(
        QRegion(textRect.adjusted(-kGap, 0, kGap, 0))));
  }
  const int top = fm.height() / 2;
  qDrawShadeRect(&p, 0, top, width(), height() - top, palette(), true, 1, 0);
  p.setClipping(false);

  if (!m_caption.isEmpty()) {
    style()->drawItemText(&p, textRect, Qt::AlignLeft | Qt::AlignTop, palette(),
                          isEnabled(), m_caption, QPalette::WindowText);
  }
}

// ----------------------------------------------------------------
// StaticControl

StaticControl::StaticControl(const QString& text, QWidget* parent)
    : QLabel(text, parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QImage& StaticControl::Surface() {
  if (m_surface.isNull()) {
    const QSize size = contentsRect().size().expandedTo(QSize(1, 1));
    const qreal ratio = devicePixelRatioF();
    m_surface = QImage(size * ratio, QImage::Format_RGB32);
    m_surface.setDevicePixelRatio(ratio);
    m_surface.fill(palette().color(backgroundRole()));
  }
  return m_surface;
}

void StaticControl::paintEvent(QPaintEvent* event) {
  if (!HasSurface()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter p(this);
  drawFrame(&p);
  p.drawImage(contentsRect().topLeft(), m_surface);
}

// ---------------------------------------------------------------- SectionList

SectionList::SectionList(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setAllColumnsShowFocus(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSortingEnabled(false);
  header()->setSectionsClickable(false);
  header()->setSectionsMovable(false);
  header()->setSortIndicatorShown(false);
  header()->setStretchLastSection(false);
  // The columns follow their texts: a record's long distances widen theirs.
  const auto later = [this] { FitColumnsLater(); };
  connect(model(), &QAbstractItemModel::dataChanged, this, later);
  connect(model(), &QAbstractItemModel::rowsInserted, this, later);
  connect(model(), &QAbstractItemModel::rowsRemoved, this, later);
  // Columns take exactly the widths they are given, however narrow.
  header()->setMinimumSectionSize(0);
  setHeaderLabels({QString()});
}

void SectionList::SetBaseWidths(std::vector<int> widths) {
  m_baseWidths = std::move(widths);
  FitColumns();
}

void SectionList::resizeEvent(QResizeEvent* event) {
  QTreeWidget::resizeEvent(event);
  FitColumns();
}

void SectionList::FitColumns() {
  m_fitPending = false;
  long long sum = 0;
  for (const int w : m_baseWidths) sum += w;
  // Room beside a vertical scroll bar, which a long race brings.
  const long long room =
      maximumViewportSize().width() - verticalScrollBar()->sizeHint().width();
  const std::size_t n = m_baseWidths.size();
  std::vector<long long> width(n), need(n);
  // What each column's widest text needs beside the item's margins.
  const int margins =
      2 *
      (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
  const QFontMetrics metrics = fontMetrics();
  for (std::size_t c = 0; c < n; ++c) {
    const long long share = sum > 0 ? room * m_baseWidths[c] / sum : 0;
    width[c] = std::max<long long>(m_baseWidths[c], share);
    const int column = static_cast<int>(c);
    int widest = 0;
    for (int row = 0; row < topLevelItemCount(); ++row)
      widest = std::max(
          widest, metrics.horizontalAdvance(topLevelItem(row)->text(column)));
    need[c] = widest + margins;
  }
  // A column too narrow for its texts (a record's "20.718 km") takes the
  // room the others have to spare, each in proportion to what it lacks, as
  // far as it goes.
  long long lacking = 0, spare = 0;
  for (std::size_t c = 0; c < n; ++c) {
    lacking += std::max<long long>(0, need[c] - width[c]);
    spare += std::max<long long>(0, width[c] - need[c]);
  }
  const long long moved = std::min(lacking, spare);
  if (moved > 0) {
    // Taken in proportion, then what rounding left a pixel at a time.
    std::vector<long long> give(n, 0), get(n, 0);
    long long taken = 0, given = 0;
    for (std::size_t c = 0; c < n; ++c) {
      if (width[c] > need[c]) give[c] = (width[c] - need[c]) * moved / spare;
      if (width[c] < need[c]) get[c] = (need[c] - width[c]) * moved / lacking;
      taken += give[c];
      given += get[c];
    }
    for (std::size_t c = 0; taken < moved; c = (c + 1) % n) {
      if (width[c] - give[c] > need[c]) {
        ++give[c];
        ++taken;
      }
    }
    for (std::size_t c = 0; given < moved; c = (c + 1) % n) {
      if (width[c] + get[c] < need[c]) {
        ++get[c];
        ++given;
      }
    }
    for (std::size_t c = 0; c < n; ++c) width[c] += get[c] - give[c];
  }
  for (std::size_t c = 0; c < n; ++c)
    setColumnWidth(static_cast<int>(c), static_cast<int>(width[c]));
}

void SectionList::FitColumnsLater() {
  if (m_fitPending) return;
  m_fitPending = true;
  QTimer::singleShot(0, this, &SectionList::FitColumns);
}

void SectionList::mousePressEvent(QMouseEvent* event) {
  m_leftPressed = event->button() == Qt::LeftButton;
  QTreeWidget::mousePressEvent(event);
}

void SectionList::mouseReleaseEvent(QMouseEvent* event) {
  // The base class settles the selection first (a press on a row that was
  // already selected only narrows the selection on release).
  QTreeWidget::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || !m_leftPressed) return;
  m_leftPressed = false;
  if (viewport()->rect().contains(event->position().toPoint())) emit Clicked();
}

// ----------------------------------------------------------------
// DropDownCombo

DropDownCombo::DropDownCombo(int dropHeight, QWidget* parent)
    : QComboBox(parent), m_dropHeight(dropHeight) {
  setEditable(false);
}

void DropDownCombo::showPopup() {
  int item = count() > 0 ? view()->sizeHintForRow(0) : 0;
  if (item <= 0) item = fontMetrics().height();
  setMaxVisibleItems(qMax(1, (m_dropHeight - height()) / item));
  QComboBox::showPopup();
}

// ---------------------------------------------------------------- CommentEdit

namespace {

// The user state of a block whose line goes on in the next block: its end
// is no line break. (Qt keeps a block's state with the end of the block
// when blocks are joined, so the mark stays right when the user deletes a
// break.)
constexpr int kLineGoesOn = 1;
constexpr int kLineEnds = -1;

// CR LF, a bare LF and a bare CR each break a line. (One pass: replacing
// the breaks in place moves the rest of the text each time.)
QStringList SplitLines(const QString& text) {
  QStringList lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c != QChar('\r') && c != QChar('\n')) continue;
    lines.append(text.mid(start, i - start));
    if (c == QChar('\r') && i + 1 < text.size() &&
        text.at(i + 1) == QChar('\n'))
      ++i;
    start = i + 1;
  }
  lines.append(text.mid(start));
  return lines;
}

// The pieces of one line, none longer than kPieceLength; a surrogate pair
// stays together. An empty line is one empty piece.
QStringList Pieces(const QString& line) {
  QStringList pieces;
  qsizetype from = 0;
  do {
    qsizetype end =
        std::min(line.size(), from + qsizetype{CommentEdit::kPieceLength});
    if (end < line.size() && line.at(end - 1).isHighSurrogate()) --end;
    pieces.append(line.mid(from, end - from));
    from = end;
  } while (from < line.size());
  return pieces;
}

// Text as blocks of at most about kPieceLength characters: short lines
// share a block, joined by line separators (the document would take
// seconds for millions of blocks), and a long line is cut over several.
struct Blocks {
  QStringList texts;
  std::vector<bool> goesOn;  // the block's line goes on in the next block
};

Blocks Pack(const QStringList& lines) {
  Blocks out;
  QString block;
  auto endBlock = [&out, &block](bool goesOn) {
    out.texts.append(block);
    out.goesOn.push_back(goesOn);
    block.clear();
  };
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QString& line = lines[i];
    if (i > 0) {
      if (block.size() + 1 + line.size() <= CommentEdit::kPieceLength) {
        block += QChar(QChar::LineSeparator);
        block += line;
        continue;
      }
      endBlock(false);
    }
    const QStringList pieces = Pieces(line);
    for (qsizetype k = 0; k + 1 < pieces.size(); ++k) {
      block = pieces[k];
      endBlock(true);
    }
    block = pieces.last();
  }
  endBlock(false);
  return out;
}

}  // namespace

CommentEdit::CommentEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (!m_settingText) emit UserEdited();
  });
}

QString CommentEdit::CrLfText() const {
  const QString kBreak = QStringLiteral("\r\n");
  QString out;
  const QTextDocument* doc = document();
  out.reserve(doc->characterCount() + doc->blockCount());
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
    const QString line = b.text();
    for (const QChar c : line) {
      if (c == QChar::LineSeparator)
        out += kBreak;
      else
        out += c;
    }
    if (b.next().isValid() && b.userState() != kLineGoesOn) out += kBreak;
  }
  return out;
}

void CommentEdit::SetCrLfText(const QString& text) {
  const Blocks blocks = Pack(SplitLines(text));
  m_settingText = true;
  setPlainText(blocks.texts.join(QChar('\n')));
  std::size_t k = 0;
  for (QTextBlock b = document()->begin();
       b.isValid() && k < blocks.goesOn.size(); b = b.next(), ++k) {
    if (blocks.goesOn[k]) b.setUserState(kLineGoesOn);
  }
  m_settingText = false;
}

void CommentEdit::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText() || isReadOnly()) {
    QPlainTextEdit::insertFromMimeData(source);
    return;
  }
  const QString text = source->text();
  const QStringList lines = SplitLines(text);
  if (lines.size() == 1 && text.size() <= kPieceLength) {
    QPlainTextEdit::insertFromMimeData(source);
    return;
  }
  const Blocks blocks = Pack(lines);
  QTextCursor cursor = textCursor();
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  // The end of the block pasted into ends the last pasted block.
  const int end = cursor.block().userState();
  for (qsizetype k = 0; k < blocks.texts.size(); ++k) {
    if (k > 0) {
      cursor.insertBlock();
      cursor.block().previous().setUserState(
          blocks.goesOn[static_cast<std::size_t>(k - 1)] ? kLineGoesOn
                                                         : kLineEnds);
    }
    cursor.insertText(blocks.texts[k]);
  }
  cursor.block().setUserState(end);
  cursor.endEditBlock();
  setTextCursor(cursor);
  ensureCursorVisible();
}

void CommentEdit::keyPressEvent(QKeyEvent* event) {
  if (!event->matches(QKeySequence::InsertParagraphSeparator) || isReadOnly()) {
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  // The typed break ends its line; the block after it ends as the block
  // the selection ended in did.
  QTextCursor selectionEnd(document());
  selectionEnd.setPosition(textCursor().selectionEnd());
  const int end = selectionEnd.block().userState();
  QPlainTextEdit::keyPressEvent(event);
  QTextBlock block = textCursor().block();
  block.previous().setUserState(kLineEnds);
  block.setUserState(end);
}

// ---------------------------------------------------------------- adapters

void ListViewControl::InsertColumn(int index, std::string_view header,
                                   int width) {
  if (m_list == nullptr) return;
  const int count = static_cast<int>(m_headers.size());
  index = std::clamp(index, 0, count);
  m_headers.insert(m_headers.begin() + index, ToQString(header));
  m_widths.insert(m_widths.begin() + index, std::max(width, 0));

  const int newCount = count + 1;
  m_list->setColumnCount(newCount);
  // Cells right of a column inserted in the middle move right with it.
  for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    for (int c = newCount - 1; c > index; --c)
      item->setText(c, item->text(c - 1));
    item->setText(index, QString());
  }
  m_list->setHeaderLabels(QStringList(m_headers.begin(), m_headers.end()));
  for (int c = 0; c < newCount; ++c) m_list->setColumnWidth(c, m_widths[c]);
  if (auto* list = qobject_cast<SectionList*>(m_list.data()))
    list->SetBaseWidths(m_widths);
}

void ListViewControl::DeleteColumn(int index) {
  const int count = static_cast<int>(m_headers.size());
  if (m_list == nullptr || index < 0 || index >= count) return;
  for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    for (int c = index; c + 1 < count; ++c) item->setText(c, item->text(c + 1));
  }
  m_headers.erase(m_headers.begin() + index);
  m_widths.erase(m_widths.begin() + index);
  m_list->setColumnCount(count - 1);
  m_list->setHeaderLabels(QStringList(m_headers.begin(), m_headers.end()));
  for (int c = 0; c + 1 < count; ++c) m_list->setColumnWidth(c, m_widths[c]);
  if (auto* list = qobject_cast<SectionList*>(m_list.data()))
    list->SetBaseWidths(m_widths);
}

int ListViewControl::InsertItem(int pos, std::string_view text) {
  if (m_list == nullptr) return -1;
  pos = std::clamp(pos, 0, m_list->topLevelItemCount());
  auto* item = new QTreeWidgetItem;
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  item->setText(0, ToQString(text));
  m_list->insertTopLevelItem(pos, item);
  m_lastRow = pos;
  return pos;
}

void ListViewControl::SetItemText(int column, std::string_view text) {
  if (m_list == nullptr || column < 0 || column >= m_list->columnCount())
    return;
  QTreeWidgetItem* item = m_list->topLevelItem(m_lastRow);
  if (item != nullptr) item->setText(column, ToQString(text));
}

void ListViewControl::DeleteAllItems() {
  if (m_list == nullptr) return;
  m_list->clear();
  m_lastRow = -1;
}

int ListViewControl::GetFirstSelected() const {
  if (m_list == nullptr) return -1;
  for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
    if (m_list->topLevelItem(row)->isSelected()) return row;
  }
  return -1;
}

std::string ListViewControl::GetItemText(int row, int column) const {
  if (m_list == nullptr || column < 0 || column >= m_list->columnCount()) {
    return {};
  }
  const QTreeWidgetItem* item = m_list->topLevelItem(row);
  return item != nullptr ? ToUtf8(item->text(column)) : std::string();
}

int ListViewControl::GetItemCount() const {
  return m_list != nullptr ? m_list->topLevelItemCount() : 0;
}

int ListViewControl::ClientWidth() const {
  if (m_list == nullptr) return 0;
  m_list->ensurePolished();
  return m_list->maximumViewportSize().width();
}

void ComboControl::AddString(std::string_view text) {
  if (m_combo != nullptr) m_combo->addItem(ToQString(text));
}

void ComboControl::AddStrings(const std::vector<std::string>& texts) {
  if (m_combo == nullptr) return;
  QStringList list;
  list.reserve(static_cast<qsizetype>(texts.size()));
  for (const std::string& t : texts) list << ToQString(t);
  m_combo->addItems(list);
}

void ComboControl::SetCurSel(int index) {
  if (m_combo != nullptr && index >= 0 && index < m_combo->count()) {
    m_combo->setCurrentIndex(index);
  }
}

int ComboControl::GetCurSel() const {
  return m_combo != nullptr ? m_combo->currentIndex() : -1;
}

int ComboControl::GetCount() const {
  return m_combo != nullptr ? m_combo->count() : 0;
}

std::string LineEditText::GetText() const {
  if (m_edit == nullptr) return {};
  if (m_tooLong) return *m_tooLong;
  return ToUtf8(m_edit->text());
}

void LineEditText::SetText(std::string_view text) {
  if (m_edit == nullptr) return;
  QString shown = ToQString(text);
  if (shown.size() > kLongestEditable) {
    m_tooLong.emplace(text);
    qsizetype cut = kLongestEditable;
    if (shown.at(cut - 1).isHighSurrogate()) --cut;
    shown.truncate(cut);
    shown += QChar(0x2026);  // …
    m_edit->setReadOnly(true);
    m_edit->setToolTip(QString::fromUtf8(
        Tr(N_("長すぎるため先頭だけを表示しています（編集できません）"))));
  } else if (m_tooLong) {
    m_tooLong.reset();
    m_edit->setReadOnly(false);
    m_edit->setToolTip(QString());
  }
  m_edit->setText(shown);
  // Show a long text from its start, as a freshly set edit does.
  m_edit->setCursorPosition(0);
}

std::string CommentText::GetText() const {
  return m_edit != nullptr ? ToUtf8(m_edit->CrLfText()) : std::string();
}

void CommentText::SetText(std::string_view text) {
  if (m_edit != nullptr) m_edit->SetCrLfText(ToQString(text));
}

std::string LabelText::GetText() const {
  return m_label != nullptr ? ToUtf8(m_label->text()) : std::string();
}

void LabelText::SetText(std::string_view text) {
  if (m_label != nullptr) m_label->setText(ToQString(text));
}

}  // namespace qv::qt
