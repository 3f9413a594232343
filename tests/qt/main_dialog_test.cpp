// The main window, on Qt and as a desktop program.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAccessible>
#include <QComboBox>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <map>

#include "app/qt/command_line.h"
#include "app/qt/qt_export.h"
#include "app/qt/qt_platform.h"
#include "app/qt/qt_print.h"
#include "app/race_app.h"
#include "app/race_dlg.h"
#include "res/i18n.h"
#include "res/resource.h"
#include "res/strings.h"
#include "tests/qt/modal_watcher.h"

namespace qv::qt {
namespace {

using test::Modals;

const QString kSample = QV_SOURCE_DIR "/examples/sample-10km.txt";
// Race files only: a record would be left.
const CRaceDlg::SplitChooser kNoSplit = [](const ActivityRecord&) {
  return std::optional<ActivitySplit>();
};

struct OpenDialog {
  qt::Platform platform;
  CRaceApp app{platform};
  CRaceDlg dlg{platform, &app};
  MainDialog* window = &platform.Open(dlg);

  template <typename T = QWidget>
  T* Find(int id) const {
    return qobject_cast<T*>(window->Control(id));
  }
};

int IdOf(const QWidget* w) { return w->property("qvControlId").toInt(); }

// A frameless label shows only its text; its rectangle may reach under the
// next control, as in the template.
QRect Shown(const QWidget* w) {
  auto* label = qobject_cast<const QLabel*>(w);
  if (label == nullptr || label->frameShape() != QFrame::NoFrame)
    return w->geometry();
  QRect r(w->pos(), label->sizeHint());
  if (label->alignment() & Qt::AlignRight) r.moveRight(w->geometry().right());
  return r;
}

// Template order, IDs, captions, screen reader names, tab order, no overlaps.
// The same in English: every caption translated, and none meets another.
TEST(DialogTemplateTest, TheWindowFollowsItsTemplate) {
  for (Language language : {Language::Japanese, Language::English}) {
    SCOPED_TRACE(static_cast<int>(language));
    ASSERT_TRUE(SetLanguages(language, language));
    OpenDialog o;
    const auto rows = MainDialogTemplate().controls;
    ASSERT_EQ(o.window->ControlCount(), rows.size());
    std::vector<int> tabStops;
    std::vector<QWidget*> controls;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      QWidget* w = o.window->ControlAt(i);
      ASSERT_EQ(IdOf(w), rows[i].id);
      const QString caption = qobject_cast<GroupFrame*>(w)
                                  ? static_cast<GroupFrame*>(w)->Caption()
                                  : w->property("text").toString();
      EXPECT_TRUE(rows[i].kind == ControlKind::Edit ||
                  caption == QString::fromUtf8(Tr(rows[i].caption)))
          << i;
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
      EXPECT_FALSE(a == nullptr || a->text(QAccessible::Name).trimmed() == "");
      // English has no Japanese left, captions and names alike.
      const QRegularExpression japanese("[\\x{3000}-\\x{ffef}]");
      EXPECT_FALSE(language == Language::English && a != nullptr &&
                   (caption + a->text(QAccessible::Name)).contains(japanese))
          << caption.toStdString();
      if ((rows[i].styles & ctl::kTabStop) != 0) tabStops.push_back(rows[i].id);
      if (rows[i].kind != ControlKind::GroupBox) controls.push_back(w);
    }
    // Every section number a race can hold shows whole.
    auto* number = o.Find<QLabel>(IDC_SECTION_NO);
    for (int n = 1; n <= 45; ++n) {
      o.platform.TextControl(IDC_SECTION_NO).SetText(std::to_string(n));
      EXPECT_LE(number->sizeHint().width(), number->width()) << n;
    }
    for (std::size_t a = 0; a < controls.size(); ++a)
      for (std::size_t b = a + 1; b < controls.size(); ++b)
        EXPECT_FALSE(Shown(controls[a]).intersects(Shown(controls[b])))
            << IdOf(controls[a]) << " / " << IdOf(controls[b]);
    std::vector<int> chain;
    QWidget* w = o.window->Control(tabStops.front());
    do {
      if ((w->focusPolicy() & Qt::TabFocus) != 0 &&
          w->parentWidget() == o.window)
        chain.push_back(IdOf(w));
      w = w->nextInFocusChain();
    } while (w != o.window->Control(tabStops.front()) && chain.size() < 100);
    EXPECT_EQ(chain, tabStops);
    // The menus and the list's heads speak the same language.
    QStringList shown;
    for (QAction* a : o.window->findChildren<QAction*>()) shown << a->text();
    o.dlg.OnCommand(IDC_COMPUTE);
    auto* list = o.Find<QTreeWidget>(IDC_SECTION_LIST);
    for (int c = 0; c < list->columnCount(); ++c)
      shown << list->headerItem()->text(c);
    if (auto* combo = o.Find<QComboBox>(IDC_SPEED_UNIT))
      for (int k = 0; k < combo->count(); ++k) shown << combo->itemText(k);
    const bool japanese =
        shown.join("").contains(QRegularExpression("[\\x{3000}-\\x{ffef}]"));
    EXPECT_EQ(japanese, language == Language::Japanese)
        << shown.join("|").toStdString();
  }
  SetLanguages(Language::Japanese, Language::Japanese);
}

// Enter and the keypad's Enter run a focused push button's command and
// nothing on any other control: no button is the default.
TEST(MainDialogTest, EnterOnlyPressesAFocusedButton) {
  OpenDialog o;
  Modals modals;  // the file and print dialogs some buttons open
  std::vector<int> commands;
  QObject::connect(o.window, &MainDialog::Commanded,
                   [&](int id, bool ok) { commands.push_back(ok ? id : 0); });
  auto state = [&] {
    QStringList s{QString::number(o.dlg.SectionCount() * 100 + o.dlg.m_nColor)};
    for (std::size_t i = 0; i < o.window->ControlCount(); ++i)
      for (const char* p : {"text", "plainText", "currentIndex"})
        s << o.window->ControlAt(i)->property(p).toString();
    return s;
  };
  for (const ControlTemplate& row : MainDialogTemplate().controls) {
    if ((row.styles & ctl::kTabStop) == 0 || row.id == IDC_COMMENT) continue;
    auto* button = o.Find<QPushButton>(row.id);
    EXPECT_FALSE(button && (button->isDefault() || button->autoDefault()));
    commands.clear();
    const QStringList before = state();
    o.Find(row.id)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(o.Find(row.id), Qt::Key_Return);
    QTest::keyClick(o.Find(row.id), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(commands, std::vector<int>(button ? 2 : 0, row.id)) << row.id;
    EXPECT_TRUE((button || state() == before) && o.window->isVisible());
  }
}

// Names of any length come back whole; one too long to edit is read-only.
TEST(MainDialogTest, LongNamesComeBackWhole) {
  OpenDialog o;
  ITextControl& name = o.platform.TextControl(IDC_EVENT_NAME);
  for (int length : {40000, 300000, 3}) {
    name.SetText(std::string(length, 'n') + "大会");
    EXPECT_EQ(name.GetText(), std::string(length, 'n') + "大会");
    EXPECT_EQ(o.Find<QLineEdit>(IDC_EVENT_NAME)->isReadOnly(), length > 1e5);
  }
}

// After the user's typing, Escape, the close button and the menu's close
// item ask first and No keeps the window; texts the program sets do not.
TEST(MainDialogTest, ClosingAsksFirstOnlyWithUnsavedEdits) {
  const QStringList asked{"保存されていない変更があります。終了しますか？"};
  for (int way = 0; way < 3; ++way) {
    for (int typedInto : {0, IDC_EVENT_NAME, IDC_COMMENT}) {
      SCOPED_TRACE(std::to_string(way) + " " + std::to_string(typedInto));
      OpenDialog o;
      if (QWidget* edit = o.Find(typedInto)) {  // Enter breaks comment lines
        QTest::keyClicks(edit, "To");
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, "kyo\t");  // and Tab moves on
        EXPECT_EQ(o.platform.TextControl(typedInto).GetText(),
                  typedInto == IDC_COMMENT ? "To\r\nkyo" : "Tokyo");
      }
      o.platform.TextControl(IDC_COMMENT).SetText("a\nb");
      for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        Modals modals(answer);
        if (way == 0) QTest::keyClick(o.window, Qt::Key_Escape);
        if (way == 1) o.window->close();
        if (way == 2) o.window->WindowMenu().actions().first()->trigger();
        EXPECT_EQ(modals.texts, typedInto != 0 ? asked : QStringList());
        EXPECT_EQ(o.window->isVisible(),
                  typedInto != 0 && answer == QMessageBox::No);
        if (!o.window->isVisible()) break;
      }
      EXPECT_EQ(o.window->result(), IDCANCEL);
    }
  }
}

// The window menu's version and comparison items; the graph keeps its drawing.
TEST(MainDialogTest, WindowMenuAndGraphArea) {
  OpenDialog o;
  auto* graph = o.Find<StaticControl>(IDC_GRAPH);
  QPainter(&graph->Surface()).fillRect(QRect(0, 0, 10, 10), Qt::blue);
  QMenu& menu = o.window->WindowMenu();
  const QList<QAction*> actions = menu.actions();
  QAction *open = actions.end()[-4], *drop = actions.end()[-3];
  EXPECT_TRUE(actions[1]->isSeparator() && actions.end()[-2]->isSeparator());
  emit menu.aboutToShow();
  EXPECT_FALSE(drop->isEnabled());
  Modals modals;  // the version dialog, then the file dialog: cancelled
  actions.last()->trigger();
  open->trigger();
  EXPECT_EQ(modals.texts.size(), 2);
  ASSERT_TRUE(o.dlg.LoadComparison(QV_SOURCE_DIR "/examples/plan-10km-even.txt",
                                   kNoSplit));
  emit menu.aboutToShow();
  EXPECT_TRUE(drop->isEnabled());
  drop->trigger();
  EXPECT_FALSE(o.dlg.HasComparison());

  o.Find<QPushButton>(IDC_WINDOW_COLOR)->click();  // repaints the window
  const QImage shown = graph->grab().toImage();
  const QPoint inside = graph->contentsRect().topLeft();
  EXPECT_EQ(shown.pixelColor(inside + QPoint(5, 5)), QColor(Qt::blue));
  EXPECT_EQ(shown.pixelColor(inside + QPoint(50, 50)), QColor(Qt::white));
}

void Drop(QWidget* target, const QList<QUrl>& urls) {
  QMimeData mime;
  mime.setUrls(urls);
  const QPoint at(target->width() / 2, target->height() / 2);
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
  QApplication::sendEvent(target, &enter);
  QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
  if (enter.isAccepted()) QApplication::sendEvent(target, &drop);
  QTest::qWait(50);  // the load follows the drop
}

// One dropped race file loads, on the window or an edit, never as text;
// over unsaved work, No to the question keeps the work.
TEST(DesktopTest, OnlyOneDroppedFileLoads) {
  const QUrl race = QUrl::fromLocalFile(kSample);
  const QUrl folder = QUrl::fromLocalFile(QV_SOURCE_DIR "/examples");
  for (const auto& [urls, onto, unsaved, sections] :  // onto 0: the window
       {std::tuple{QList{race}, 0, false, 5},
        {QList{race}, 0, true, 1},
        {QList{race}, IDC_COMMENT, false, 5},
        {QList{race, race}, 0, false, 0},
        {QList{folder}, 0, false, 0},
        {QList{folder}, IDC_EVENT_NAME, false, 0}}) {
    OpenDialog o;
    if (unsaved) o.dlg.OnCommand(IDC_APPEND);
    Modals modals(QMessageBox::No);
    QWidget* target = onto == 0 ? o.window : o.Find(onto);
    if (auto* comment = qobject_cast<QPlainTextEdit*>(target))
      target = comment->viewport();
    Drop(target, urls);
    EXPECT_EQ(o.dlg.SectionCount(), sections) << onto;
    EXPECT_FALSE(o.Find<QLineEdit>(IDC_EVENT_NAME)->text().contains("file:"));
    EXPECT_EQ(
        modals.texts.join(""),
        unsaved ? "保存されていない変更があります。読み込みますか？" : "");
  }
}

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  EXPECT_TRUE(p.waitForFinished(60000) && p.exitCode() == 0);
  return p.readAllStandardOutput();
}

// Exports of a race compared with a plan equal the report tool's; the
// preview shows one page. A failed export says why and keeps the older
// file; the race's own file and the comparison's, under any name, and a
// pipe are refused before anything is written.
TEST(DesktopTest, ExportsAreWhatTheReportToolWritesAndSpareTheRaceFiles) {
  QTemporaryDir dir;
  auto at = [&](const char* name) { return dir.filePath(name); };
  const QString plan = QV_SOURCE_DIR "/examples/plan-10km-even.txt";
  ASSERT_TRUE(QFile::copy(kSample, at("race.txt")) &&
              QFile::copy(plan, at("plan.txt")));
  for (const char* graph : {"r.png", "r.svg"})
    RunTool(QV_REPORT_BIN,
            {"--compare", at("plan.txt"), "--csv", at("r.csv"), "--pdf",
             at("r.pdf"), "--graph", at(graph), at("race.txt")});
  OpenDialog o;
  ASSERT_TRUE(o.dlg.OpenRaceFile(at("race.txt").toStdString(), false));
  ASSERT_TRUE(o.dlg.LoadComparison(at("plan.txt").toStdString(), kNoSplit));
  o.dlg.OnCommand(IDC_COMPUTE);
  EXPECT_TRUE(ExportListCsv(o.platform, at("w.csv").toStdString()));
  EXPECT_TRUE(ExportGraph(o.platform, at("w.png").toStdString()));
  EXPECT_TRUE(ExportGraph(o.platform, at("w.svg").toStdString()));
  EXPECT_TRUE(ExportPrintedPdf(o.platform, o.dlg, at("w.pdf").toStdString()));
  EXPECT_EQ(Read(at("w.csv")), Read(at("r.csv")));
  EXPECT_EQ(Read(at("w.svg")), Read(at("r.svg")));
  EXPECT_EQ(QImage(at("w.png")).convertToFormat(QImage::Format_RGB32),
            QImage(at("r.png")).convertToFormat(QImage::Format_RGB32));
  const QByteArray text = RunTool("pdftotext", {at("w.pdf"), "-"});
  EXPECT_TRUE(text.contains("全区間") && text.contains("比較差"));
  EXPECT_EQ(text, RunTool("pdftotext", {at("r.pdf"), "-"}));
  Modals modals;
  ShowPrintPreview(o.platform, o.dlg, o.window);
  EXPECT_EQ(modals.texts.value(1), "1");  // pages

  const QByteArray older = Read(at("w.png"));
  ASSERT_EQ(::link(at("race.txt").toUtf8(), at("race.png").toUtf8()), 0);
  ASSERT_TRUE(QFile::link(at("plan.txt"), at("plan.svg")));
  ASSERT_EQ(::mkfifo(at("fifo.png").toUtf8(), 0600), 0);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  for (const auto& [name, message, exports] :
       {std::tuple{"no/g.png", "出力ファイルが開けません", 3},
        {"w.png", "出力ファイルに書き込めません", 3},  // at 64 bytes
        {"g.bmp", "グラフは .png か .svg のファイルに出力します。", 1},
        {"race.png", "このレースのファイルには出力できません。", 3},
        {"plan.svg", "比較するレースのファイルには出力できません。", 3},
        {"fifo.png", "出力ファイルが開けません", 3}}) {
    const std::string path = at(name).toStdString();
    modals.texts.clear();
    const rlimit limit{name == std::string_view("w.png") ? 64 : saved.rlim_cur,
                       saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_FALSE(ExportGraph(o.platform, path) ||
                 (exports == 3 && (ExportListCsv(o.platform, path) ||
                                   ExportPrintedPdf(o.platform, o.dlg, path))));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(modals.texts.filter(message).size(), exports) << name;
  }
  struct stat st {};
  EXPECT_TRUE(
      Read(at("w.png")) == older && !QFile::exists(at("no")) &&
      !QFile::exists(at("g.bmp")) && Read(at("race.txt")) == Read(kSample) &&
      Read(at("plan.txt")) == Read(plan) &&
      ::stat(at("fifo.png").toUtf8(), &st) == 0 && S_ISFIFO(st.st_mode));
}

// On a screen smaller than the window its top-left corner, and so its title
// and first controls, stay on the screen: checked by this test run again on
// a small offscreen screen.
TEST(DesktopTest, TheWindowOpensWithItsCornerOnASmallScreen) {
  if (qEnvironmentVariableIsSet("QV_SMALL_SCREEN")) {
    OpenDialog o;
    const QRect screen = o.window->screen()->availableGeometry();
    ASSERT_FALSE(screen.contains(o.window->frameGeometry()));
    EXPECT_TRUE(screen.contains(o.window->frameGeometry().topLeft()));
    return;
  }
  QTemporaryDir dir;
  QFile config(dir.filePath("screen.json"));
  ASSERT_TRUE(config.open(QIODevice::WriteOnly) &&
              config.write(R"({"screens": [{"name": "s", "x": 0, "y": 0,
                   "width": 480, "height": 360, "logicalDpi": 96}]})") > 0);
  config.close();
  const QByteArray out = RunTool(
      "env", {"QV_SMALL_SCREEN=1",
              "QT_QPA_PLATFORM=offscreen:configfile=" + config.fileName(),
              QCoreApplication::applicationFilePath(),
              "--gtest_filter=DesktopTest.TheWindowOpensWithItsCorner*"});
  EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
}

// Help and version need no display; any other option is a usage error, but
// not after "--"; a name's bytes pass unchanged.
TEST(DesktopTest, TheCommandLine) {
  for (const auto& [args, code, shown] :
       {std::tuple{QStringList{"--help"}, 0,
                   "使い方: quorvane [レースファイル]\n"},
        {{"-h", "x.txt"}, 0, "  -h, --help"},
        {{"--version"}, 0, "quorvane 2.1\n"},
        {{"--foo"}, 2, "quorvane: 不明なオプションです: --foo\n使い方"},
        {{"-"}, 2, "不明なオプションです: -\n"},
        {{"a.txt", "b.txt"}, 2, "使い方: quorvane [レースファイル]\n"},
        {{"--", "--help", "b.txt"}, 2, "使い方"}}) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("env", QStringList{"-u", "DISPLAY",
                               QString("QT_QPA_PLATFORM=") +
                                   (code ? "offscreen" : "xcb"),
                               QV_APP_BIN} +
                       args);
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), code) << args.join(' ').toStdString();
    EXPECT_TRUE(QString(p.readAll()).contains(shown)) << shown;
  }
  for (const auto& [args, file] :
       {std::pair{std::vector<std::string>{"bad\xff\xfe.txt"},
                  std::optional<std::string>("bad\xff\xfe.txt")},
        {{"--", "-x"}, "-x"},
        {{}, std::nullopt}})
    EXPECT_EQ(ParseCommandLine(args).raceFile, file);
}

// The undo and redo keys: the name edit's own there, the race's elsewhere.
TEST(DesktopTest, TheUndoKeysReachTheRaceOnlyOutsideTheEdits) {
  const QKeyCombination shiftZ = Qt::CTRL | Qt::SHIFT | Qt::Key_Z,
                        ctrlY = Qt::CTRL | Qt::Key_Y;
  for (const auto& [focus, redo] : {std::pair{IDC_EVENT_NAME, shiftZ},
                                    {IDC_EVENT_NAME, ctrlY},
                                    {IDC_PRIORITY, shiftZ},
                                    {IDC_SECTION_LIST, ctrlY}}) {
    OpenDialog o;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(o.window));
    auto* name = o.Find<QLineEdit>(IDC_EVENT_NAME);
    QTest::keyClicks(name, "Kobe");
    o.Find<QPushButton>(IDC_APPEND)->click();
    o.Find(focus)->setFocus();
    QTest::keyClick(o.Find(focus), Qt::Key_Z, Qt::ControlModifier);
    const bool toRace = focus != IDC_EVENT_NAME;
    EXPECT_EQ(o.dlg.SectionCount() + 2 * name->text().size(), toRace ? 8 : 1);
    QTest::keyClick(o.Find(focus), redo.key(), redo.keyboardModifiers());
    EXPECT_EQ(o.dlg.SectionCount(), 1);
    EXPECT_EQ(name->text(), "Kobe") << focus;
  }
}

// The menu bar runs the buttons' commands; the window grows the graph, the
// list and the comment; the title names the file and marks changes.
TEST(DesktopTest, TheMenuBarTheSizeAndTheTitle) {
  OpenDialog o;
  QMenuBar& bar = o.window->MenuBar();
  std::map<QString, QAction*> items;
  QStringList menus;
  for (QAction* m : bar.actions()) {
    menus << m->text() + QString::number(m->menu()->actions().size());
    for (QAction* a : m->menu()->actions()) items[a->text()] = a;
  }
  EXPECT_EQ(menus, (QStringList{"ファイル(&F)15", "編集(&E)5", "ヘルプ(&H)1"}));
  for (const auto& [text, keys, enabled] :
       {std::tuple{"読込(&O)...", "Ctrl+O", true},
        {"保存(&S)...", "Ctrl+S", true},
        {"印刷(&P)...", "Ctrl+P", true},
        {"閉じる(&C)", "Ctrl+Q", true},
        {"比較をやめる(&N)", "", false},
        {"元に戻す(&U)", "Ctrl+Z", false},
        {"やり直し(&R)", "Ctrl+Shift+Z", false}}) {
    ASSERT_TRUE(items.count(text)) << text;
    EXPECT_EQ(items[text]->shortcut().toString(), keys) << text;
    EXPECT_EQ(items[text]->isEnabled(), enabled) << text;
  }
  EXPECT_EQ(o.window->windowTitle(), "Quorvane");

  ASSERT_TRUE(o.dlg.OpenRaceFile(kSample.toStdString(), false));
  items["計算実行(&C)"]->trigger();
  EXPECT_GT(o.dlg.ComputedCount(), 0);
  EXPECT_EQ(o.window->windowTitle(), "sample-10km.txt — Quorvane");
  QTest::keyClicks(o.Find(IDC_EVENT_NAME), "x");
  EXPECT_EQ(o.window->windowTitle(), "sample-10km.txt* — Quorvane");
  ASSERT_TRUE(items["元に戻す(&U)"]->isEnabled());
  items["元に戻す(&U)"]->trigger();  // the load, typing and all
  EXPECT_EQ(o.window->windowTitle(), "Quorvane");
  items["やり直し(&R)"]->trigger();
  EXPECT_TRUE(o.window->windowTitle().startsWith("sample-10km.txt"));

  const QSize least = o.window->size();
  EXPECT_EQ(least.height(),
            o.window->ToPixels(0, 0, 1, MainDialogTemplate().h).height() +
                bar.height());
  std::map<int, QRect> before;
  for (int id : {IDC_GRAPH, IDC_SECTION_LIST, IDC_COMMENT, IDC_START_KM,
                 IDC_APPEND, IDC_LOAD, IDC_CLEAR, IDC_LAP_CS})
    before[id] = o.Find(id)->geometry();
  o.window->resize(1600, 1000);
  for (const auto& [id, r] : before) {
    const QRect now = o.Find(id)->geometry();
    const bool grows =
        id == IDC_GRAPH || id == IDC_SECTION_LIST || id == IDC_COMMENT;
    EXPECT_EQ(grows, now.width() > r.width() && now.height() > r.height())
        << id;
    EXPECT_EQ(grows, now != r) << id;
  }
  // Drawn again at its size: the graph reaches past its old width.
  auto* graph = o.Find<StaticControl>(IDC_GRAPH);
  ASSERT_TRUE(graph->HasSurface());
  const QImage drawn = graph->Surface();
  EXPECT_EQ(drawn.deviceIndependentSize().toSize(),
            graph->contentsRect().size());
  const int old = before[IDC_GRAPH].width();
  QImage past = drawn.copy(old, 0, drawn.width() - old, drawn.height()), white;
  (white = past).fill(Qt::white);
  EXPECT_NE(past, white);
  o.window->resize(100, 100);
  EXPECT_EQ(o.window->size(), least);
}

// At the default size the list's eight columns fit its width without a
// scroll bar, and the totals row's first cell reads in full. A
// record's distances past 10 km read whole too: a column too narrow for its
// texts takes the room others have to spare (in English every cell then
// fits; in Japanese, whose times are wider, the distances gain what there
// is). With a race compared, the ninth column fits once the window is
// wider; the columns never narrow below their first widths.
TEST(MainDialogTest, ListColumnsFitAndFollowTheirTexts) {
  QTemporaryDir dir;
  const QString ride = dir.filePath("ride.txt");
  QFile f(ride);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("Ride\r\n0\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n0\r\n0\r\n"
          "10.899\r\n150000\r\n150000\r\n0\r\n10.899\r\n6000\r\n"
          "156000\r\n21.798\r\n312000\r\n156000\r\n0\r\n");
  f.close();
  for (Language language : {Language::English, Language::Japanese}) {
    ASSERT_TRUE(SetLanguages(language, language));
    OpenDialog o;
    auto* list = o.Find<QTreeWidget>(IDC_SECTION_LIST);
    ASSERT_NE(list, nullptr);
    const auto fits = [&](int columns) {
      int sum = 0;
      for (int c = 0; c < list->columnCount(); ++c)
        sum += list->columnWidth(c);
      return list->columnCount() == columns &&
             sum <= list->maximumViewportSize().width();
    };
    EXPECT_TRUE(fits(8));
    EXPECT_GE(list->columnWidth(0),
              list->fontMetrics().horizontalAdvance(
                  QString::fromUtf8(kTotalsRowText.c_str())) + 8);
    const int before = list->columnWidth(2);
    ASSERT_TRUE(o.dlg.OpenRaceFile(ride.toStdString(), false));
    o.dlg.OnCommand(IDC_COMPUTE);
    QApplication::processEvents();
    // As the item view draws a cell: its text between two margins.
    const int margins =
        2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr,
                                        list) +
             1);
    int widest = 0;
    for (int c = 0; c < list->columnCount(); ++c)
      for (int row = 0; row < list->topLevelItemCount(); ++row)
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(
                                      list->topLevelItem(row)->text(c)) +
                                      margins - list->columnWidth(c));
    EXPECT_TRUE(fits(8));
    EXPECT_GT(list->columnWidth(2), before);
    EXPECT_LE(language == Language::English ? widest : 0, 0);
    ASSERT_TRUE(o.dlg.LoadComparison(kSample.toStdString(), kNoSplit));
    o.dlg.OnCommand(IDC_COMPUTE);
    QApplication::processEvents();
    const int first = list->columnWidth(0);
    o.window->resize(1600, 1000);
    QApplication::processEvents();
    EXPECT_TRUE(fits(9));
    EXPECT_GT(list->columnWidth(0), first);
  }
  SetLanguages(Language::Japanese, Language::Japanese);
}

}  // namespace
}  // namespace qv::qt
