// Find and replace in files in a real main window: the dialog filled in, the
// search streamed into the results panel, a result opened, and Replace in
// Files over one open and one closed file, each kept whole where it failed.
#include "app/ChildWin.h"
#include "app/FindInFiles.h"
#include "app/MainForm.h"
#include "app/ResultsDocks.h"
#include "editor/ColorMemo.h"
#include "support/FileSizeLimit.h"
#include "support/QuietMainWindow.h"
#include "support/ScriptedPrompts.h"
#include "widgets/ResultsPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Fills in the Find (or Replace) in Files dialog and presses its button.
std::function<int(QDialog *)> fillIn(const QString &find, const QString &folder, const QString &replace = {},
                                     bool regex = false)
{
    return [=](QDialog *d) {
        d->findChild<QLineEdit *>("FindEdit")->setText(find);
        if (auto *r = d->findChild<QLineEdit *>("ReplaceEdit"))
            r->setText(replace);
        d->findChild<QLineEdit *>("FolderEdit")->setText(folder);
        d->findChild<QCheckBox *>("RegexChk")->setChecked(regex);
        return int(QDialog::Accepted);
    };
}

QStringList panelLines(ResultsPanel *panel)
{
    QStringList lines;
    for (int i = 0; i < panel->count(); ++i) {
        const ResultEntry &e = panel->entry(i);
        lines << QStringLiteral("%1:%2:%3 %4")
                     .arg(QFileInfo(e.file).fileName())
                     .arg(e.line)
                     .arg(e.column)
                     .arg(e.text.mid(e.markStart, e.markLength));
    }
    lines.sort();
    return lines;
}

struct Scratch
{
    QTemporaryDir dir;
    QString root = QFileInfo(dir.path()).canonicalFilePath();
    QString open = writeFile(root + "/open.html", "<p><B>one</B>\r\n<b>two</b></p>\r\n");
    QString closed = writeFile(root + "/sub/closed.htm", "caf\xE9\n<B>x</B>\n");  // Latin-1, LF line ends
    QString other = writeFile(root + "/notes.md", "<b>not searched</b>");
};

}  // namespace

TEST(FindInFiles, FindsOpensAResultAndReplacesInOpenAndClosedFiles)
{
    ScriptedPrompts prompts;
    QuietMainWindowStore home;
    TMainForm main(&home.store, QStringList());
    main.show();
    QApplication::setActiveWindow(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    Scratch s;
    TMDIChild *doc = main.documents().OpenDocument(s.open);
    ASSERT_NE(doc, nullptr);
    // An edit not yet saved is searched as it stands.
    doc->Memo1->setSelStart(0);
    doc->Memo1->setSelText(QByteArray("<b>new</b>"));
    const QByteArray openBefore = doc->Memo1->bytes();

    FindInFiles &fif = FindInFiles::of(main);
    QSignalSpy done(&fif, &FindInFiles::finished);
    prompts.modals = {fillIn("<b>", s.root)};
    // The key, as the user presses it in the editor.
    doc->Memo1->setFocus();
    QTest::keyClick(doc->Memo1, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(prompts.modalNames, QStringList{"FindInFilesDlg"});
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 10000);

    QDockWidget *dock = main.results().dock("searchResults");
    ASSERT_NE(dock, nullptr);
    EXPECT_TRUE(dock->isVisible());
    ResultsPanel *panel = main.results().panel("searchResults");
    EXPECT_EQ(panelLines(panel),
              (QStringList{"closed.htm:2:1 <B>", "open.html:1:1 <b>", "open.html:1:14 <B>", "open.html:2:1 <b>"}));
    EXPECT_TRUE(panel->summary().startsWith("4 matches in 2 files")) << panel->summary().toStdString();

    // The closed file's result opens it with the match selected, its LF line ends
    // having become CR LF on loading.
    for (int i = 0; i < panel->count(); ++i) {
        if (panel->entry(i).file.endsWith("closed.htm")) {
            ASSERT_TRUE(main.results().open(panel->entry(i)));
        }
    }
    ASSERT_EQ(main.documents().list().size(), 2);
    TColorMemo *closedMemo = main.documents().active()->Memo1;
    EXPECT_EQ(closedMemo->SelText(), "<B>");
    EXPECT_EQ(closedMemo->SelStart(), 6);
    // Close it again without change, so Replace in Files writes it on disk.
    main.documents().active()->FileCloseItemClick();
    ASSERT_EQ(main.documents().list().size(), 1);

    // Replace in Files: both files checked; the open one changes in its window
    // as one undo step, the closed one on disk, byte for byte around the matches.
    prompts.modals = {fillIn("<(/?)b>", s.root, "<\\1strong>", true), [](QDialog *d) {
                          EXPECT_EQ(d->objectName(), "ReplaceFilesDlg");
                          EXPECT_EQ(d->findChild<QListWidget *>("FilesList")->count(), 2);
                          return int(QDialog::Accepted);
                      }};
    prompts.answers = {QMessageBox::Ok};
    doc->action("ReplaceInFiles1")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 2, 10000);
    EXPECT_EQ(readFile(s.closed), "caf\xE9\n<strong>x</strong>\n");
    EXPECT_EQ(readFile(s.other), "<b>not searched</b>");
    EXPECT_EQ(doc->Memo1->bytes(), "<strong>new</strong><p><strong>one</strong>\r\n<strong>two</strong></p>\r\n");
    EXPECT_EQ(readFile(s.open), "<p><B>one</B>\r\n<b>two</b></p>\r\n");  // the open file is not saved behind the user
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.messages.last().text, "Replaced 8 occurrences in 2 files.");
    doc->Memo1->undo();
    EXPECT_EQ(doc->Memo1->bytes(), openBefore);
}

TEST(FindInFiles, AFullDiskKeepsTheClosedFileWholeAndSaysSo)
{
    // A file written in one go (under Qt's 16 KiB buffer) and one written in
    // many pieces: the disk fills up before the end in both.
    const struct
    {
        const char *what;
        QByteArray text;
        int replacementLength;
        qint64 limit;
    } cases[] = {
        {"small", "caf\xE9\n<B>x</B>\n", 4000, 1000},
        {"big", QByteArray(150000, 'a') + "x\r\n" + QByteArray(50000, 'b'), 10, 100000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedPrompts prompts;
        QuietMainWindowStore home;
        TMainForm main(&home.store, QStringList());
        Scratch s;
        writeFile(s.closed, c.text);
        FindInFiles &fif = FindInFiles::of(main);
        QSignalSpy done(&fif, &FindInFiles::finished);
        FindInFilesValues v;
        v.findText = "x";
        v.replaceText = QString(c.replacementLength, 'y');
        v.folder = s.root;
        v.patterns = "*.htm";
        prompts.modals = {[](QDialog *) { return int(QDialog::Accepted); }};
        prompts.answers = {QMessageBox::Ok};
        withSizeLimit(c.limit, [&] {
            EXPECT_TRUE(fif.start(v, true));
            return QTest::qWaitFor([&] { return done.count() == 1; }, 10000);
        });
        EXPECT_EQ(readFile(s.closed), c.text);
        ASSERT_FALSE(prompts.messages.isEmpty());
        EXPECT_TRUE(
            prompts.messages.last().text.startsWith("Replaced 0 occurrences in 0 files.\r\n\r\nNot changed:\r\n"))
            << prompts.messages.last().text.toStdString();
        EXPECT_EQ(prompts.messages.last().icon, QMessageBox::Warning);
        // No temporary file is left beside it.
        EXPECT_EQ(QDir(s.root + "/sub").entryList(QDir::Files), QStringList{"closed.htm"});
    }
}

TEST(FindInFiles, AMalformedPatternIsNamedAndNothingRuns)
{
    ScriptedPrompts prompts;
    QuietMainWindowStore home;
    TMainForm main(&home.store, QStringList());
    Scratch s;
    FindInFilesValues v;
    v.findText = "<(b";
    v.options.regex = true;
    v.folder = s.root;
    prompts.answers = {QMessageBox::Ok};
    EXPECT_FALSE(FindInFiles::of(main).start(v, false));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.startsWith("Error in the regular expression at offset 3:"))
        << prompts.messages[0].text.toStdString();
    EXPECT_FALSE(FindInFiles::of(main).isRunning());
}
