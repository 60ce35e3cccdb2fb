#include "support/DialogTestUtil.h"
#include "support/PictureFiles.h"
#include "objects/ImageDlg.h"
#include "support/ScriptedPrompts.h"
#include "support/FakeDocument.h"
#include "widgets/PictureView.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

void check(QDialog *d, const char *name, bool on = true)
{
    child<QCheckBox>(d, name)->setChecked(on);
}

void choose(QDialog *d, const char *group, int index)
{
    child<RadioGroup>(d, group)->setItemIndex(index);
}

bool enabled(QDialog *d, const char *name)
{
    return child<QWidget>(d, name)->isEnabled();
}

// Runs the image command on doc with the dialog filled by fill; returns what was written.
QByteArray runImage(FakeDocument &doc, ScriptedPrompts &prompts, std::function<void(QDialog *)> fill)
{
    prompts.modals.append([fill](QDialog *d) {
        fill(d);
        return pressOK(d);
    });
    Image1Click(doc);
    return doc.text();
}

}  // namespace

TEST(ImageDlg, InitialStateAndEnableRules)
{
    ScriptedPrompts prompts;
    FakeDocument doc("x");
    prompts.modals.append([](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Image");
        EXPECT_EQ(textOf(d, "WidthEdit"), "1");
        EXPECT_EQ(textOf(d, "BorderEdit"), "0");
        EXPECT_EQ(child<RadioGroup>(d, "ALIGNgroupbox")->itemIndex(), 0);
        for (const char *name : {"ALIGNgroupbox", "ALTedit", "WidthEdit", "HeightEdit", "VSpaceEdit", "HSpaceEdit",
                                 "LOWSRCEdit", "LOWSRCButton", "LOWSRCButton2", "USEMAPEdit", "USEMAPButton1",
                                 "USEMAPButton2", "USEMAPButton3", "ISMAPedit", "ISMAPbutton", "ISMAPButton2"})
            EXPECT_FALSE(enabled(d, name)) << name;
        EXPECT_TRUE(enabled(d, "BorderEdit"));
        const struct
        {
            const char *box;
            QList<const char *> controls;
        } rows[] = {{"alignChk", {"ALIGNgroupbox"}},
                    {"ALTChkBox", {"ALTedit"}},
                    {"WidthHeightChkBox", {"WidthEdit", "HeightEdit"}},
                    {"VSpaceChkBox", {"VSpaceEdit"}},
                    {"HSpaceChkBox", {"HSpaceEdit"}},
                    {"LOWSRCChkBox", {"LOWSRCEdit", "LOWSRCButton", "LOWSRCButton2"}}};
        for (const auto &row : rows) {
            check(d, row.box);
            for (const char *name : row.controls)
                EXPECT_TRUE(enabled(d, name)) << name;
            check(d, row.box, false);
            for (const char *name : row.controls)
                EXPECT_FALSE(enabled(d, name)) << name;
        }
        choose(d, "MapTypeGroup", 1);
        EXPECT_TRUE(enabled(d, "USEMAPButton3"));
        EXPECT_FALSE(enabled(d, "ISMAPedit"));
        choose(d, "MapTypeGroup", 2);
        EXPECT_FALSE(enabled(d, "USEMAPEdit"));
        EXPECT_TRUE(enabled(d, "ISMAPButton2"));
        return QDialog::Rejected;
    });
    Image1Click(doc);
    EXPECT_EQ(doc.text(), "x");
}

TEST(ImageDlg, WhatOKWrites)
{
    const struct
    {
        const char *what;
        std::function<void(QDialog *)> fill;
        const char *expected;
    } cases[] = {
        {"defaults", [](QDialog *d) { type(d, "SRCEdit", "a.gif"); }, "<IMG SRC=\"a.gif\" BORDER=0>"},
        {"no border",
         [](QDialog *d) {
             type(d, "SRCEdit", "a.gif");
             check(d, "borderChk", false);
         },
         "<IMG SRC=\"a.gif\">"},
        {"alignment",
         [](QDialog *d) {
             type(d, "SRCEdit", "a.gif");
             check(d, "alignChk");
             choose(d, "ALIGNgroupbox", 5);
         },
         "<IMG SRC=\"a.gif\" ALIGN=ABSMIDDLE BORDER=0>"},
        // The selection is the ALT text only when the box is checked.
        {"alt from the selection", [](QDialog *d) { check(d, "ALTChkBox"); }, "<IMG SRC=\"\" ALT=\"[sel]\" BORDER=0>"},
        {"spaces and low source",
         [](QDialog *d) {
             check(d, "VSpaceChkBox");
             check(d, "HSpaceChkBox");
             type(d, "HSpaceEdit", "7");
             check(d, "LOWSRCChkBox");
             type(d, "LOWSRCEdit", "/web/img/low.gif");
         },
         "<IMG SRC=\"\" BORDER=0 VSPACE=1 HSPACE=7 LOWSRC=\"img/low.gif\">"},
        {"client-side map made relative",
         [](QDialog *d) {
             choose(d, "MapTypeGroup", 1);
             type(d, "USEMAPEdit", "/web/maps.html#nav");
         },
         "<IMG SRC=\"\" BORDER=0 USEMAP=\"maps.html#nav\">"},
        {"server-side map around the image",
         [](QDialog *d) {
             type(d, "SRCEdit", "/web/a.gif");
             choose(d, "MapTypeGroup", 2);
             type(d, "ISMAPedit", "/web/m.map");
         },
         "<A HREF=\"m.map\"><IMG SRC=\"a.gif\" ISMAP BORDER=0></A>"},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        FakeDocument doc("[sel]", "/web/page.html");
        doc.select(0, 5);
        EXPECT_EQ(runImage(doc, prompts, c.fill), QByteArray(c.expected)) << c.what;
        EXPECT_TRUE(prompts.messages.isEmpty()) << c.what;
        // One undo step.
        doc.undo();
        EXPECT_EQ(doc.text(), "[sel]") << c.what;
    }
}

TEST(ImageDlg, PreviewFillsTheSizes)
{
    QTemporaryDir dir;
    // Misleading extensions: the reader goes by the bytes.
    ASSERT_TRUE(writeFile(dir.filePath("p.jpg"), makeGif(120, 80, {{0, 0, 120, 80, 10}, {0, 0, 10, 10, 10}})));
    ASSERT_TRUE(writeFile(dir.filePath("q.gif"), makeJpeg(33, 44)));
    ASSERT_TRUE(writeFile(dir.filePath("n.gif"), "not a picture"));
    ScriptedPrompts prompts;
    FakeDocument doc("", dir.filePath("page.html"));
    const QByteArray written = runImage(doc, prompts, [&dir](QDialog *d) {
        auto *view = child<PictureView>(d, "AdvImage1");
        check(d, "WidthHeightChkBox");
        // Relative to the page's folder.
        type(d, "SRCEdit", "p.jpg");
        EXPECT_EQ(textOf(d, "WidthEdit"), "120");
        EXPECT_EQ(textOf(d, "HeightEdit"), "80");
        EXPECT_EQ(view->size(), QSize(120, 80));
        EXPECT_EQ(view->frameCount(), 2);
        EXPECT_TRUE(view->isAnimating());
        type(d, "SRCEdit", dir.filePath("q.gif"));
        EXPECT_EQ(textOf(d, "WidthEdit"), "33");
        EXPECT_FALSE(view->isAnimating());
        // Not a picture, a URL, a folder: the preview empties, typed sizes stay.
        type(d, "HeightEdit", "50");
        for (const QString &src : {QStringLiteral("n.gif"), QStringLiteral("http://x/a.gif"), dir.path()}) {
            type(d, "SRCEdit", src);
            EXPECT_TRUE(view->isEmpty());
            EXPECT_EQ(view->size(), QSize(0, 0));
            EXPECT_EQ(textOf(d, "WidthEdit"), "33");
            EXPECT_EQ(textOf(d, "HeightEdit"), "50");
        }
        type(d, "SRCEdit", "p.jpg");
        // For looking at the dialog by eye: TAGLOOM_SCREENSHOT=file.png
        if (qEnvironmentVariableIsSet("TAGLOOM_SCREENSHOT")) {
            d->adjustSize();
            d->show();
            QTest::qWait(300);
            d->grab().save(qEnvironmentVariable("TAGLOOM_SCREENSHOT"));
        }
    });
    EXPECT_EQ(written, "<IMG SRC=\"p.jpg\" WIDTH=120 HEIGHT=80 BORDER=0>");
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST(ImageDlg, RelativeSourceOfAnUntitledPageShowsNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeFile(dir.filePath("p.gif"), makeGif(5, 6, {{0, 0, 5, 6, 0}})));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    ScriptedPrompts prompts;
    FakeDocument doc;
    runImage(doc, prompts, [](QDialog *d) {
        type(d, "SRCEdit", "p.gif");
        EXPECT_TRUE(child<PictureView>(d, "AdvImage1")->isEmpty());
        EXPECT_EQ(textOf(d, "WidthEdit"), "1");
    });
    QDir::setCurrent(previous);
}

TEST(ImageDlg, MapButtons)
{
    QTemporaryDir dir;
    const QString other = dir.filePath("other.html");
    ASSERT_TRUE(writeFile(other, "<map name=\"Top\"></map><MAP NAME=\"Side\">"));
    ScriptedPrompts prompts;
    FakeDocument doc("<MAP NAME=\"Nav\"></MAP>", "/web/page.html");
    prompts.files = {"", other};
    const QByteArray before = doc.text();
    // The image dialog runs first; the map dialogs it opens take the next answers.
    runImage(doc, prompts, [&](QDialog *d) {
        choose(d, "MapTypeGroup", 1);
        // Button 1 offers the document's maps; choosing one gives #name.
        prompts.modals.append([](QDialog *d) {
            auto *list = child<QListWidget>(d, "MapListBox");
            EXPECT_EQ(list->count(), 1);
            list->setCurrentRow(0);
            return pressOK(d);
        });
        // Button 2 asks for the map name in the chosen file, offering its maps.
        prompts.modals.append([](QDialog *d) {
            auto *combo = child<QComboBox>(d, "MapNameCombo");
            EXPECT_EQ(combo->count(), 2);
            combo->setCurrentIndex(1);
            return pressOK(d);
        });
        click(d, "USEMAPButton1");
        EXPECT_EQ(textOf(d, "USEMAPEdit"), "#Nav");
        click(d, "USEMAPButton2");  // file dialog cancelled: nothing changes
        EXPECT_EQ(textOf(d, "USEMAPEdit"), "#Nav");
        click(d, "USEMAPButton2");
        EXPECT_EQ(textOf(d, "USEMAPEdit"), other + "#Side");
        // No MAP was written on the way.
        EXPECT_EQ(doc.text(), before);
        child<QCheckBox>(d, "borderChk")->setChecked(false);
        type(d, "USEMAPEdit", "#Nav");
    });

    EXPECT_EQ(doc.text(), "<IMG SRC=\"\" USEMAP=\"#Nav\"><MAP NAME=\"Nav\"></MAP>");
}

TEST(ImageDlg, MapNamesOfAnotherPageAreReadInThatPagesEncoding)
{
    const struct
    {
        const char *what;
        QByteArray page;
        QStringList names;
    } cases[] = {
        {"UTF-8 page",
         "<MAP NAME=\"Caf\xC3\xA9\"></MAP><MAP NAME=\"\xE2\x82\xAC\">",
         {QString::fromUtf8("Caf\xC3\xA9"), QString::fromUtf8("\xE2\x82\xAC")}},
        {"Latin-1 page",
         "<MAP NAME=\"Caf\xE9\"></MAP><MAP NAME=\"Plain\">",
         {QString::fromUtf8("Caf\xC3\xA9"), QStringLiteral("Plain")}},
        // One stray byte elsewhere makes the whole page single-byte, as the editor reads it.
        {"Latin-1 byte outside the names",
         "<MAP NAME=\"\xC3\xA9\"></MAP>\xFF",
         {QString::fromUtf8("\xC3\x83\xC2\xA9")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString page = dir.filePath("maps.html");
        ASSERT_TRUE(writeFile(page, c.page));
        ScriptedPrompts prompts;
        QStringList offered;
        prompts.modals = {[&](QDialog *d) {
            auto *combo = child<QComboBox>(d, "MapNameCombo");
            for (int i = 0; i < combo->count(); ++i)
                offered << combo->itemText(i);
            combo->setCurrentIndex(0);
            return pressOK(d);
        }};
        QString name;
        ASSERT_TRUE(AskMapName(nullptr, page, name));
        EXPECT_EQ(offered, c.names);
        EXPECT_EQ(name, c.names.first());
    }
}

namespace {
qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * 4096 : 0;
}
}  // namespace

TEST(ImageDlg, HugePictureGivesItsSizeWithoutTheMemory)
{
    QTemporaryDir dir;
    // A 10,000 x 10,000 screen: decoding it whole would take 400 MB.
    ASSERT_TRUE(writeFile(dir.filePath("huge.gif"), makeGif(10000, 10000, {{0, 0, 10, 10, 0}})));
    ScriptedPrompts prompts;
    FakeDocument doc("", dir.filePath("page.html"));
    const qint64 before = residentBytes();
    qint64 during = 0;
    runImage(doc, prompts, [&during](QDialog *d) {
        type(d, "SRCEdit", "huge.gif");
        during = residentBytes();
        EXPECT_EQ(textOf(d, "WidthEdit"), "10000");
        EXPECT_EQ(textOf(d, "HeightEdit"), "10000");
        EXPECT_TRUE(child<PictureView>(d, "AdvImage1")->isEmpty());
    });
    EXPECT_LT(during - before, 200LL * 1024 * 1024);
}

// An untitled page: every question comes before the one write, in the order
// LOWSRC, SRC, map; a save on the way makes the later names relative.
TEST(ImageDlg, QuestionsBeforeTheWrite)
{
    ScriptedPrompts prompts;
    FakeDocument doc;
    prompts.answers = {QMessageBox::No, QMessageBox::Yes};
    prompts.files = {"/web/page.html"};
    const QByteArray written = runImage(doc, prompts, [](QDialog *d) {
        check(d, "LOWSRCChkBox");
        type(d, "LOWSRCEdit", "/web/low.gif");
        type(d, "SRCEdit", "/web/a.gif");
        choose(d, "MapTypeGroup", 2);
        type(d, "ISMAPedit", "/web/m.map");
    });
    EXPECT_EQ(written, "<A HREF=\"m.map\"><IMG SRC=\"a.gif\" ISMAP BORDER=0 LOWSRC=\"/web/low.gif\"></A>");
    EXPECT_EQ(prompts.messages.size(), 2);
    EXPECT_EQ(doc.saves, QStringList({"/web/page.html"}));
    // Written after the save.
    EXPECT_TRUE(doc.isModified());
    doc.undo();
    EXPECT_EQ(doc.text(), "");
}
