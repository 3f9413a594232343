// The window as a desktop program: a race opened from the command line or
// by a drop, exports equal to quorvane-report's, the print preview, the
// undo keys, names for screen readers, the icon and the desktop entry.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <algorithm>

#include "app/qt/qt_export.h"
#include "app/qt/qt_icon.h"
#include "main_dialog_test_util.h"
#include "res/resource.h"

namespace qv::qt::test {
namespace {

const QString kSample = QV_SOURCE_DIR "/examples/sample-10km.txt";

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Write(const QTemporaryDir& dir, const char* name, QByteArray bytes) {
  QFile f(dir.filePath(name));
  EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
  return f.fileName();
}

// A computed sample race in the window.
void LoadSample(OpenDialog& o) {
  ASSERT_TRUE(o.dlg.OpenRaceFile(kSample.toStdString(), false));
  o.dlg.OnCommand(IDC_COMPUTE);
}

TEST(DesktopTest, ARaceFileOnTheCommandLineLoadsOnceTheWindowShows) {
  QTemporaryDir dir;
  const struct {
    QString file;
    int sections;  // -1: refused with a message
  } cases[] = {{kSample, 5},
               {Write(dir, "bad.txt", "X\r\n0\r\n0\r\n0\r\n0\r\n0\r\n46\r\n"), -1},
               {dir.filePath("missing.txt"), -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file.toStdString());
    qt::Platform platform;
    CRaceApp app(platform);
    CRaceDlg dlg(platform, &app);
    platform.OpenOnStart(c.file.toStdString());
    Modals modals;
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
    EXPECT_TRUE(shown);
    EXPECT_EQ(modals.texts.size(), c.sections < 0 ? 1 : 0);
    EXPECT_EQ(sections, std::max(c.sections, 0));
    EXPECT_FALSE(dlg.IsModified());
  }
}

// A drag from a file manager dropped on `target`.
void Drop(QWidget* target, const QList<QUrl>& urls) {
  QMimeData mime;
  mime.setUrls(urls);
  const QPoint at(target->width() / 2, target->height() / 2);
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return;
  QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
  QApplication::sendEvent(target, &drop);
  QTest::qWait(50);  // the load follows the drop
}

// Only a single dropped file loads, on the window or on an edit, and never
// as an edit's text; unsaved work is asked about first.
TEST(DesktopTest, OnlyOneDroppedFileLoads) {
  QTemporaryDir dir;
  const QUrl race = QUrl::fromLocalFile(kSample);
  const QUrl other = QUrl::fromLocalFile(Write(dir, "o.txt", "x"));
  const QUrl folder = QUrl::fromLocalFile(dir.path());
  const struct {
    QList<QUrl> urls;
    int onto;  // 0: the window's background
    int sections;
  } cases[] = {{{race}, 0, 5},        {{race}, IDC_COMMENT, 5},
               {{race, other}, 0, 0}, {{folder}, 0, 0},
               {{folder}, IDC_EVENT_NAME, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.onto);
    OpenDialog o;
    QWidget* target = c.onto == 0 ? o.window : o.Find(c.onto);
    if (auto* comment = qobject_cast<QPlainTextEdit*>(target))
      target = comment->viewport();
    Drop(target, c.urls);
    EXPECT_EQ(o.dlg.m_nSections, c.sections);
    EXPECT_FALSE(o.Find<QLineEdit>(IDC_EVENT_NAME)->text().contains("file:"));
  }
  OpenDialog o;
  o.dlg.OnCommand(IDC_APPEND);
  Modals modals(QMessageBox::No);
  Drop(o.window, {race});
  EXPECT_EQ(modals.texts, QStringList{"保存されていない変更があります。読み込みますか？"});
  EXPECT_EQ(o.dlg.m_nSections, 1);
}

QString PdfText(const QString& path) {
  QProcess p;
  p.start("pdftotext", {path, "-"});
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(DesktopTest, ExportsAreWhatTheReportToolWrites) {
  QTemporaryDir dir;
  for (const char* graph : {"r.png", "r.svg"}) {
    QProcess p;
    p.start(QV_REPORT_BIN, {"--csv", dir.filePath("r.csv"), "--pdf",
                            dir.filePath("r.pdf"), "--graph",
                            dir.filePath(graph), kSample});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  }
  OpenDialog o;
  LoadSample(o);
  auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };
  ASSERT_TRUE(ExportListCsv(o.platform, path("w.csv")));
  ASSERT_TRUE(ExportGraph(o.platform, path("w.png")));
  ASSERT_TRUE(ExportGraph(o.platform, path("w.svg")));
  ASSERT_TRUE(ExportPrintedPdf(o.platform, o.dlg, path("w.pdf")));
  for (const char* kind : {"csv", "svg"})
    EXPECT_EQ(Read(dir.filePath(QString("w.") + kind)),
              Read(dir.filePath(QString("r.") + kind)));
  const QImage png(dir.filePath("w.png"));
  ASSERT_FALSE(png.isNull());
  EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32),
            QImage(dir.filePath("r.png")).convertToFormat(QImage::Format_RGB32));
  const QString text = PdfText(dir.filePath("w.pdf"));
  EXPECT_TRUE(text.contains("全区間"));
  EXPECT_EQ(text, PdfText(dir.filePath("r.pdf")));
}

TEST(DesktopTest, AFailedExportSaysSoAndKeepsTheOlderFile) {
  QTemporaryDir dir;
  OpenDialog o;
  LoadSample(o);
  const QString old = Write(dir, "old.png", "older");
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
    Modals modals;
    struct rlimit small = saved;
    if (c.sizeLimit != 0) small.rlim_cur = c.sizeLimit;
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_FALSE(ExportGraph(o.platform, c.path.toStdString()));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(modals.texts, QStringList{QString::fromUtf8(c.message)});
  }
  EXPECT_EQ(Read(old), "older");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.png"});
}

TEST(DesktopTest, ThePreviewShowsThePrintedPage) {
  OpenDialog o;
  LoadSample(o);
  int pages = -1;
  Modals modals(QMessageBox::No, [&](QDialog* d) {
    QTest::qWait(100);
    if (auto* view = d->findChild<QPrintPreviewWidget*>())
      pages = view->pageCount();
    d->reject();
  });
  ShowPrintPreview(o.platform, o.dlg, o.window);
  EXPECT_EQ(pages, 1);
}

TEST(DesktopTest, TheUndoKeysReachTheRaceOnlyOutsideTheEdits) {
  const auto ctrlZ = Qt::CTRL | Qt::Key_Z, ctrlY = Qt::CTRL | Qt::Key_Y,
             ctrlShiftZ = Qt::CTRL | Qt::SHIFT | Qt::Key_Z;
  const struct {
    int focus;
    QKeyCombination redo;
  } cases[] = {{IDC_EVENT_NAME, ctrlShiftZ}, {IDC_EVENT_NAME, ctrlY},
               {IDC_PRIORITY, ctrlShiftZ},   {IDC_SECTION_LIST, ctrlY}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.focus);
    const bool toRace = c.focus != IDC_EVENT_NAME;
    OpenDialog o;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(o.window));
    auto* name = o.Find<QLineEdit>(IDC_EVENT_NAME);
    name->setFocus();
    QTest::keyClicks(name, "Kobe");
    o.Find(IDC_APPEND)->setFocus();
    QTest::keyClick(o.Find(IDC_APPEND), Qt::Key_Space);
    QWidget* focus = o.Find(c.focus);
    focus->setFocus();
    QTest::keyClick(focus, ctrlZ.key(), ctrlZ.keyboardModifiers());
    EXPECT_EQ(o.dlg.m_nSections, toRace ? 0 : 1);
    EXPECT_EQ(name->text().isEmpty(), !toRace);
    QTest::keyClick(focus, c.redo.key(), c.redo.keyboardModifiers());
    EXPECT_EQ(o.dlg.m_nSections, 1);
    EXPECT_EQ(name->text(), "Kobe");
  }
}

TEST(DesktopTest, EveryControlHasANameForScreenReaders) {
  OpenDialog o;
  for (std::size_t i = 0; i < o.window->ControlCount(); ++i) {
    QAccessibleInterface* a =
        QAccessible::queryAccessibleInterface(o.window->ControlAt(i));
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty())
        << "ID " << o.window->Template().controls[i].id;
  }
}

// Every icon size is a picture with transparent corners, shipped as drawn;
// the desktop entry starts the program with that icon.
TEST(DesktopTest, TheIconAndTheDesktopEntry) {
  for (int size : kIconSizes) {
    SCOPED_TRACE(size);
    const QImage icon =
        RenderAppIcon(size).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(icon.size(), QSize(size, size));
    for (QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0)})
      EXPECT_EQ(qAlpha(icon.pixel(corner)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    EXPECT_EQ(QImage(QString(QV_SOURCE_DIR "/res/icons/quorvane-%1.png")
                         .arg(size)).convertToFormat(QImage::Format_ARGB32),
              icon);
  }
  const QStringList entry =
      QString(Read(QV_SOURCE_DIR "/res/quorvane.desktop")).split('\n');
  EXPECT_EQ(entry.value(0), "[Desktop Entry]");
  for (const char* line : {"Type=Application", "Exec=quorvane %f", "Icon=quorvane"})
    EXPECT_TRUE(entry.contains(line)) << line;
}

}  // namespace
}  // namespace qv::qt::test
