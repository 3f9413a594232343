// The window as a desktop program: a race opened from the command line or
// by a drop, exports identical to quorvane-report's, print preview, the
// undo keys and names for screen readers.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <string>

#include "app/qt/qt_export.h"
#include "res/resource.h"
#include "tests/qt/main_dialog_test_util.h"

namespace qv::qt::test {
namespace {

const QString kSample = QStringLiteral(QV_SOURCE_DIR "/examples/sample-10km.txt");

std::string Utf8(const QString& s) { return s.toStdString(); }

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString WriteFile(const QTemporaryDir& dir, const char* name,
                  const QByteArray& bytes) {
  const QString path = dir.filePath(QString::fromLatin1(name));
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(bytes);
  return path;
}

// The texts of the message boxes that open while it lives; each is closed.
struct MessageLog {
  QStringList texts;
  QTimer timer;
  MessageLog() {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(
              QApplication::activeModalWidget())) {
        texts << box->text();
        box->done(QMessageBox::No);
      }
    });
    timer.start(5);
  }
};

TEST(DesktopTest, ARaceFileOnTheCommandLineLoadsOnceTheWindowShows) {
  QTemporaryDir dir;
  const struct {
    QString file;
    int sections;  // -1: refused
  } cases[] = {
      {kSample, 5},
      {WriteFile(dir, "bad.txt", "X\r\n0\r\n0\r\n0\r\n0\r\n0\r\n46\r\n"), -1},
      {dir.filePath(QStringLiteral("missing.txt")), -1},
  };
  for (const auto& c : cases) {
    qt::Platform platform;
    CRaceApp app(platform);
    CRaceDlg dlg(platform, &app);
    platform.OpenOnStart(Utf8(c.file));
    MessageLog messages;
    int sections = -2;
    bool shown = false;
    // Counted from the first turn of the window's event loop, however long
    // building the window took.
    QTimer::singleShot(0, [&] {
      QTimer::singleShot(300, [&] {
        sections = dlg.m_nSections;
        shown = platform.Dialog()->isVisible();
        platform.EndDialog(0);
      });
    });
    platform.RunModal(dlg);
    EXPECT_TRUE(shown) << Utf8(c.file);
    EXPECT_EQ(messages.texts.size(), c.sections < 0 ? 1 : 0) << Utf8(c.file);
    EXPECT_EQ(sections, c.sections < 0 ? 0 : c.sections) << Utf8(c.file);
    EXPECT_FALSE(dlg.IsModified());
  }
}

// A drag from a file manager, dropped on the window or on an edit.
void Drop(QWidget* target, const QList<QUrl>& urls, const QString& text = {}) {
  QMimeData mime;
  if (!urls.isEmpty()) mime.setUrls(urls);
  if (!text.isEmpty()) mime.setText(text);
  const QPoint at(target->width() / 2, target->height() / 2);
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton,
                        Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return;
  QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton,
                  Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  QTest::qWait(50);  // the load follows the drop
}

TEST(DesktopTest, OnlyOneDroppedFileLoads) {
  QTemporaryDir dir;
  const QUrl race = QUrl::fromLocalFile(kSample);
  const QUrl other = QUrl::fromLocalFile(WriteFile(dir, "o.txt", "x"));
  const QUrl folder = QUrl::fromLocalFile(dir.path());
  const struct {
    QList<QUrl> urls;
    int onto;  // control ID, or 0 for the window's background
    int sections;
  } cases[] = {
      {{race}, 0, 5},         {{race}, IDC_COMMENT, 5},
      {{race, other}, 0, 0},  {{folder}, 0, 0},
      {{folder}, IDC_EVENT_NAME, 0},
  };
  for (const auto& c : cases) {
    OpenDialog o;
    QWidget* target = c.onto == 0 ? static_cast<QWidget*>(o.window)
                                  : o.window->Control(c.onto);
    if (auto* comment = qobject_cast<QPlainTextEdit*>(target))
      target = comment->viewport();
    Drop(target, c.urls);
    EXPECT_EQ(o.dlg.m_nSections, c.sections) << c.onto;
    // A file is never dropped into an edit as text.
    EXPECT_EQ(o.Find<QLineEdit>(IDC_EVENT_NAME)->text().contains("file:"),
              false);
  }
  // Unsaved work: the load's question first; No keeps the work.
  OpenDialog o;
  o.dlg.OnCommand(IDC_APPEND);
  MessageLog messages;
  Drop(o.window, {race});
  EXPECT_EQ(messages.texts,
            QStringList{QStringLiteral("保存されていない変更があります。読み込みますか？")});
  EXPECT_EQ(o.dlg.m_nSections, 1);
}

// The report tool on the sample race, its outputs in dir.
void RunReport(const QTemporaryDir& dir) {
  QProcess p;
  p.start(QStringLiteral(QV_REPORT_BIN),
          {QStringLiteral("--csv"), dir.filePath("r.csv"),
           QStringLiteral("--pdf"), dir.filePath("r.pdf"),
           QStringLiteral("--graph"), dir.filePath("r.png"), kSample});
  ASSERT_TRUE(p.waitForFinished(60000));
  ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  p.start(QStringLiteral(QV_REPORT_BIN),
          {QStringLiteral("--graph"), dir.filePath("r.svg"), kSample});
  ASSERT_TRUE(p.waitForFinished(60000));
  ASSERT_EQ(p.exitCode(), 0);
}

QString PdfText(const QString& path) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(DesktopTest, ExportsAreWhatTheReportToolWrites) {
  QTemporaryDir dir;
  RunReport(dir);
  OpenDialog o;
  ASSERT_TRUE(o.dlg.OpenRaceFile(Utf8(kSample), false));
  o.dlg.OnCommand(IDC_COMPUTE);
  auto path = [&](const char* name) { return Utf8(dir.filePath(name)); };
  ASSERT_TRUE(ExportListCsv(o.platform, path("w.csv")));
  ASSERT_TRUE(ExportGraph(o.platform, path("w.png")));
  ASSERT_TRUE(ExportGraph(o.platform, path("w.svg")));
  ASSERT_TRUE(ExportPrintedPdf(o.platform, o.dlg, path("w.pdf")));

  EXPECT_EQ(ReadFile(dir.filePath("w.csv")), ReadFile(dir.filePath("r.csv")));
  const QImage mine(dir.filePath("w.png"));
  const QImage theirs(dir.filePath("r.png"));
  ASSERT_FALSE(mine.isNull());
  EXPECT_EQ(mine.convertToFormat(QImage::Format_RGB32),
            theirs.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(ReadFile(dir.filePath("w.svg")), ReadFile(dir.filePath("r.svg")));
  const QString text = PdfText(dir.filePath("w.pdf"));
  EXPECT_TRUE(text.contains(QStringLiteral("全区間")));
  EXPECT_EQ(text, PdfText(dir.filePath("r.pdf")));
}

TEST(DesktopTest, AFailedExportSaysSoAndKeepsTheOlderFile) {
  QTemporaryDir dir;
  OpenDialog o;
  ASSERT_TRUE(o.dlg.OpenRaceFile(Utf8(kSample), false));
  o.dlg.OnCommand(IDC_COMPUTE);
  const QString old = WriteFile(dir, "old.png", "older");
  struct rlimit saved {};
  getrlimit(RLIMIT_FSIZE, &saved);
  const struct {
    QString path;
    rlim_t sizeLimit;  // 0: none
    const char* message;
  } cases[] = {
      {dir.filePath("no/such/folder/g.png"), 0, "出力ファイルが開けません"},
      {old, 64, "出力ファイルに書き込めません"},
      {dir.filePath("g.bmp"), 0, "グラフは .png か .svg のファイルに出力します。"},
  };
  for (const auto& c : cases) {
    MessageLog messages;
    if (c.sizeLimit != 0) {
      struct rlimit small = saved;
      small.rlim_cur = c.sizeLimit;
      setrlimit(RLIMIT_FSIZE, &small);
    }
    const bool ok = ExportGraph(o.platform, Utf8(c.path));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(ok);
    EXPECT_EQ(messages.texts, QStringList{QString::fromUtf8(c.message)});
  }
  EXPECT_EQ(ReadFile(old), QByteArray("older"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
            QStringList{QStringLiteral("old.png")});
}

TEST(DesktopTest, ThePreviewShowsThePrintedPage) {
  OpenDialog o;
  ASSERT_TRUE(o.dlg.OpenRaceFile(Utf8(kSample), false));
  o.dlg.OnCommand(IDC_COMPUTE);
  int pages = -1;
  ModalWatcher watch([&](QWidget* w) {
    QTest::qWait(100);
    if (auto* view = w->findChild<QPrintPreviewWidget*>())
      pages = view->pageCount();
    qobject_cast<QDialog*>(w)->reject();
  });
  ShowPrintPreview(o.platform, o.dlg, o.window);
  EXPECT_EQ(pages, 1);
}

TEST(DesktopTest, TheUndoKeysReachTheRaceOnlyOutsideTheEdits) {
  const struct {
    int focus;
    QKeyCombination undo;
    QKeyCombination redo;
    bool toRace;
  } cases[] = {
      {IDC_EVENT_NAME, Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::SHIFT | Qt::Key_Z, false},
      {IDC_EVENT_NAME, Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Y, false},
      {IDC_PRIORITY, Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::SHIFT | Qt::Key_Z, true},
      {IDC_SECTION_LIST, Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Y, true},
  };
  for (const auto& c : cases) {
    OpenDialog o;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(o.window));
    auto* name = o.Find<QLineEdit>(IDC_EVENT_NAME);
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("Kobe"));
    o.window->Control(IDC_APPEND)->setFocus();
    QTest::keyClick(o.window->Control(IDC_APPEND), Qt::Key_Space);
    QWidget* focus = o.window->Control(c.focus);
    focus->setFocus();
    QTest::keyClick(focus, c.undo.key(), c.undo.keyboardModifiers());
    EXPECT_EQ(o.dlg.m_nSections, c.toRace ? 0 : 1) << c.focus;
    EXPECT_EQ(name->text().isEmpty(), !c.toRace) << c.focus;
    QTest::keyClick(focus, c.redo.key(), c.redo.keyboardModifiers());
    EXPECT_EQ(o.dlg.m_nSections, 1) << c.focus;
    EXPECT_EQ(name->text(), QStringLiteral("Kobe")) << c.focus;
  }
}

TEST(DesktopTest, EveryControlHasANameForScreenReaders) {
  OpenDialog o;
  for (std::size_t i = 0; i < o.window->ControlCount(); ++i) {
    QAccessibleInterface* a =
        QAccessible::queryAccessibleInterface(o.window->ControlAt(i));
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty())
        << "control " << i << " (ID " << o.window->Template().controls[i].id
        << ")";
  }
}

}  // namespace
}  // namespace qv::qt::test
