// Typing help in a real, shown main window, driven by key events: "|" marks the caret.

#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "app/OptionsDlg.h"
#include "app/TypingHelp.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "support/ScriptedPrompts.h"
#include "tags/TagMatch.h"
#include "support/TestUtil.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using B = QsciScintillaBase;

namespace {
constexpr int IndMatch = 11;
constexpr int IndNoMatch = 12;

class TypingHelpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppSettings() = Settings();
        RegisterAllDocumentCommands();
        store = std::make_unique<SettingsStore>(dir.filePath("store.ini"));
        store->writeBool("Misc", "Show splash screen", false);
        store->writeBool("Misc", "Insert all document structure tags when opening a new document", false);
        form = std::make_unique<TMainForm>(store.get(), QStringList());
        form->show();
        QApplication::setActiveWindow(form.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void TearDown() override
    {
        for (TMDIChild *doc : form->documents().list())
            doc->Modified = false;
        form.reset();
    }
    // A page saved in the test folder and opened, the caret at "|".
    TMDIChild *open(const QByteArray &marked, const char *name = "page.html")
    {
        QByteArray bytes = marked;
        const int caret = int(bytes.indexOf('|'));
        bytes.remove(caret, 1);
        const QString path = dir.filePath(QString::fromLatin1(name));
        writeFileBytes(path, bytes);
        TMDIChild *doc = form->documents().OpenDocument(path);
        doc->Memo1->setFocus();
        doc->Memo1->setSelStart(caret);
        settle();
        return doc;
    }
    static void settle()
    {
        QApplication::processEvents();
        QApplication::processEvents();
    }
    // Each character a key press of its own, as a person types; "\n" is Enter.
    static void type(TMDIChild *doc, const QByteArray &keys)
    {
        for (char c : keys) {
            if (c == '\n')
                QTest::keyClick(doc->Memo1, Qt::Key_Return);
            else
                QTest::keyClick(doc->Memo1, c);
            settle();
        }
    }
    static void press(TMDIChild *doc, Qt::Key key, Qt::KeyboardModifiers mods = Qt::ControlModifier)
    {
        QTest::keyClick(doc->Memo1, key, mods);
        settle();
    }
    static QByteArray marked(TMDIChild *doc)
    {
        QByteArray text = doc->Memo1->bytes();
        text.insert(doc->Memo1->SelStart(), '|');
        return text;
    }
    static bool listShown(TMDIChild *doc) { return doc->Memo1->SendScintilla(B::SCI_AUTOCACTIVE); }
    // The stretches an indicator covers, as "from-to" texts.
    static QStringList marks(TMDIChild *doc, int indicator)
    {
        QStringList out;
        TColorMemo *m = doc->Memo1;
        for (int p = 0; p < m->length();) {
            const int end = int(m->SendScintilla(B::SCI_INDICATOREND, indicator, long(p)));
            if (m->SendScintilla(B::SCI_INDICATORVALUEAT, indicator, long(p)))
                out.append(QStringLiteral("%1-%2").arg(p).arg(end));
            if (end <= p)
                break;
            p = end;
        }
        return out;
    }
    static void waitForMarks()
    {
        QTest::qWait(250);
        settle();
    }

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<TMainForm> form;
    ScriptedPrompts prompts;
};

}  // namespace

TEST_F(TypingHelpTest, TypedSequencesGiveTheseTextsAndCarets)
{
    const struct
    {
        const char *page;
        const char *typed;
        const char *result;
    } cases[] = {
        {"|", "<ul>", "<ul>|</ul>"},
        {"|", "<Ul>", "<Ul>|</Ul>"},
        {"|", "<div class=\"a\" id=b>", "<div class=\"a\" id=b>|</div>"},
        // Void elements, "/>", end tags.
        {"|", "<br>", "<br>|"},
        {"|", "<HR>", "<HR>|"},
        {"|", "<input type=text>", "<input type=text>|"},
        {"|", "<div/>", "<div/>|"},
        {"<p>x|", "</p>", "<p>x</p>|"},
        // Optional-end elements are closed too: writing the end is never wrong.
        {"<ul>|</ul>", "<li>", "<ul><li>|</li></ul>"},
        {"|", "<p>", "<p>|</p>"},
        // Comments, scripts, styles and attribute values.
        {"<!-- |", "<b>", "<!-- <b>|"},
        {"<script>|</script>", "if (a<b>", "<script>if (a<b>|</script>"},
        {"<style>|</style>", "p<b>", "<style>p<b>|</style>"},
        {"|", "<a title=\"x>", "<a title=\"x>|"},
        // The same end tag follows, the tag has its '>' already.
        {"|</b>", "<b>", "<b>|</b>"},
        {"|\r\n</B>", "<b>", "<b>|\r\n</B>"},
        {"<b| class=x>", ">", "<b>| class=x>"},
        // CR LF pages: Enter writes CR LF, the end tag goes on the caret's line.
        {"<ul>\r\n|\r\n</ul>", "<li>", "<ul>\r\n<li>|</li>\r\n</ul>"},
        {"|", "<table>\n", "<table>\r\n|</table>"},
        // A Latin-1 page stays Latin-1.
        {"caf\xE9 |", "<b>", "caf\xE9 <b>|</b>"},
        {"<h1>caf\xE9|", "</\n", "<h1>caf\xE9</h1>|"},
    };
    for (const auto &c : cases) {
        TMDIChild *doc = open(c.page);
        type(doc, c.typed);
        if (listShown(doc))
            press(doc, Qt::Key_Escape, Qt::NoModifier);
        EXPECT_EQ(marked(doc), QByteArray(c.result)) << c.page << " + " << c.typed;
        doc->Modified = false;
        doc->close();
        settle();
    }
}

TEST_F(TypingHelpTest, OneUndoTakesBackTheEndTagWithTheTypedGreaterThan)
{
    TMDIChild *doc = open("x |");
    type(doc, "<ul");
    doc->Memo1->SendScintilla(B::SCI_EMPTYUNDOBUFFER);
    type(doc, ">");
    EXPECT_EQ(marked(doc), "x <ul>|</ul>");
    press(doc, Qt::Key_Z);
    EXPECT_EQ(marked(doc), "x <ul|");
    EXPECT_FALSE(doc->Memo1->SendScintilla(B::SCI_CANUNDO));
    press(doc, Qt::Key_Y);
    EXPECT_EQ(doc->Memo1->bytes(), "x <ul></ul>");
}

TEST_F(TypingHelpTest, ACommentOpenedFarAboveFollowsEveryChange)
{
    // More than the matching window between the top and the caret: only what
    // is kept of the whole page knows the top.
    QByteArray page = "<p>top</p>\r\n";
    while (page.size() < MatchWindowBytes + (200 << 10))
        page += "<p>a line of <i>text</i> and more</p>\r\n";
    TMDIChild *doc = open(page + "|");
    // What typing `tag` at the end of the page writes.
    const auto typedAtEnd = [&](const QByteArray &tag) {
        press(doc, Qt::Key_End);
        const int before = doc->Memo1->length();
        type(doc, tag);
        if (listShown(doc))
            press(doc, Qt::Key_Escape, Qt::NoModifier);
        return doc->Memo1->bytes().sliced(before);
    };
    EXPECT_EQ(typedAtEnd("<b>"), "<b></b>");
    press(doc, Qt::Key_Home);
    type(doc, "<!--");
    EXPECT_EQ(typedAtEnd("<u>"), "<u>") << "inside the comment begun at the top";
    press(doc, Qt::Key_Home);
    for (int i = 0; i < 4; ++i)
        press(doc, Qt::Key_Delete, Qt::NoModifier);
    EXPECT_EQ(typedAtEnd("<s>"), "<s></s>");
    for (int i = 0; i < 10 && !doc->Memo1->bytes().startsWith("<!--"); ++i)
        press(doc, Qt::Key_Z);
    ASSERT_TRUE(doc->Memo1->bytes().startsWith("<!--<p>top"));
    EXPECT_EQ(typedAtEnd("<q>"), "<q>") << "the comment is back after undo";
}

TEST_F(TypingHelpTest, PastingReplacingUndoingAndCommandsWriteNothingMore)
{
    TMDIChild *doc = open("|");
    QApplication::clipboard()->setText(QStringLiteral("<ul>"));
    press(doc, Qt::Key_V);
    EXPECT_EQ(marked(doc), "<ul>|");
    doc->Memo1->setSelText(QByteArray("<ol>"));
    settle();
    EXPECT_EQ(marked(doc), "<ul><ol>|");
    doc->action("Bold1")->trigger();
    settle();
    EXPECT_EQ(marked(doc), "<ul><ol><B>|</B>");
    press(doc, Qt::Key_Z);
    press(doc, Qt::Key_Z);
    press(doc, Qt::Key_Y);
    EXPECT_EQ(doc->Memo1->bytes(), "<ul><ol>");
}

TEST_F(TypingHelpTest, CloseTagsCanBeTurnedOff)
{
    AppSettings().Typing.CloseTags = false;
    TMDIChild *doc = open("|");
    type(doc, "<ul>");
    EXPECT_EQ(marked(doc), "<ul>|");
}

TEST_F(TypingHelpTest, MarksTheMatchingTagAndATagWithoutItsPartner)
{
    TMDIChild *doc = open("<d|iv><p>text</p>\r\n</div><b>x");
    waitForMarks();
    EXPECT_EQ(marks(doc, IndMatch), QStringList({"0-5", "18-24"}));
    EXPECT_TRUE(marks(doc, IndNoMatch).isEmpty());
    // Moving the caret moves the marks.
    doc->Memo1->setSelStart(7);
    waitForMarks();
    EXPECT_EQ(marks(doc, IndMatch), QStringList({"5-8", "12-16"}));
    // A start tag without its end.
    doc->Memo1->setSelStart(26);
    waitForMarks();
    EXPECT_TRUE(marks(doc, IndMatch).isEmpty());
    EXPECT_EQ(marks(doc, IndNoMatch), QStringList({"24-27"}));
    // Out of every tag: no marks.
    doc->Memo1->setSelStart(10);
    waitForMarks();
    EXPECT_TRUE(marks(doc, IndMatch).isEmpty());
    EXPECT_TRUE(marks(doc, IndNoMatch).isEmpty());
    // Off in the options: none at all.
    AppSettings().Typing.MatchTags = false;
    doc->Memo1->setSelStart(2);
    waitForMarks();
    EXPECT_TRUE(marks(doc, IndMatch).isEmpty());
}

TEST_F(TypingHelpTest, OptionalEndsAreNoWallOfErrors)
{
    TMDIChild *doc = open("<ul>\r\n<li>one\r\n<l|i>two\r\n<li>three\r\n</ul>");
    waitForMarks();
    EXPECT_EQ(marks(doc, IndMatch), QStringList({"15-19"}));
    EXPECT_TRUE(marks(doc, IndNoMatch).isEmpty());
}

TEST_F(TypingHelpTest, CtrlEJumpsToTheMatchingTagAndBack)
{
    TMDIChild *doc = open("<div|><p>abc</p></div>");
    press(doc, Qt::Key_E);
    EXPECT_EQ(doc->Memo1->SelStart(), 16);  // just inside "</div>"
    press(doc, Qt::Key_E);
    EXPECT_EQ(doc->Memo1->SelStart(), 1);
    doc->Memo1->setSelStart(9);  // in "abc"
    press(doc, Qt::Key_E);
    EXPECT_EQ(form->statusText(0), QStringLiteral("The caret is in no tag"));
}

TEST_F(TypingHelpTest, CtrlEOnAFarAwayEndSaysNoMatchWithin1MB)
{
    QByteArray page = "<d|iv>" + QByteArray(3 << 20, 'x') + "</div>";
    TMDIChild *doc = open(page);
    press(doc, Qt::Key_E);
    EXPECT_EQ(doc->Memo1->SelStart(), 2);
    EXPECT_EQ(form->statusText(0), QStringLiteral("No match within 1 MB"));
}

TEST_F(TypingHelpTest, CtrlShiftESelectsTheElementThenItsParent)
{
    TMDIChild *doc = open("<body><ul><li>o|ne</li></ul></body>");
    press(doc, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc->Memo1->SelText(), "<li>one</li>");
    press(doc, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc->Memo1->SelText(), "<ul><li>one</li></ul>");
    press(doc, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc->Memo1->SelText(), "<body><ul><li>one</li></ul></body>");
}

TEST_F(TypingHelpTest, ListsCompleteElementsAttributesAndEntities)
{
    AppSettings().InsertBROnEnter = true;
    TMDIChild *doc = open("|");
    type(doc, "<");
    ASSERT_TRUE(listShown(doc));
    type(doc, "ta\n");
    EXPECT_EQ(marked(doc), "<TABLE|");
    type(doc, " ");
    ASSERT_TRUE(listShown(doc));
    type(doc, "bord\n");
    EXPECT_EQ(marked(doc), "<TABLE BORDER=\"|\"");
    type(doc, "1\">");
    EXPECT_EQ(marked(doc), "<TABLE BORDER=\"1\">|</TABLE>");
    type(doc, "&");
    ASSERT_TRUE(listShown(doc));
    type(doc, "nbs\n");
    EXPECT_EQ(marked(doc), "<TABLE BORDER=\"1\">&nbsp;|</TABLE>");
    // Enter went to the lists, never to the line-break setting.
    EXPECT_TRUE(prompts.modalNames.isEmpty());
    // With no list shown, Enter is the line-break setting's again.
    type(doc, "\n");
    EXPECT_EQ(prompts.modalNames.size(), 1);
}

TEST_F(TypingHelpTest, LowerCaseNamesAndCtrlSpaceOnDemand)
{
    AppSettings().Typing.UpperCaseNames = false;
    TMDIChild *doc = open("<img al|>");
    press(doc, Qt::Key_Space);
    ASSERT_TRUE(listShown(doc));
    type(doc, "t\n");
    EXPECT_EQ(marked(doc), "<img alt=\"|\">");
}

TEST_F(TypingHelpTest, EndTagOfferedAfterLessThanSlash)
{
    TMDIChild *doc = open("<UL>\r\n<LI>one\r\n|");
    type(doc, "</");
    ASSERT_TRUE(listShown(doc));
    type(doc, "\n");
    EXPECT_EQ(marked(doc), "<UL>\r\n<LI>one\r\n</LI>|");
}

TEST_F(TypingHelpTest, FileNamesRelativeToTheDocumentsFolder)
{
    QDir(dir.path()).mkpath("pics");
    writeFileBytes(dir.filePath("pics/logo.gif"), "GIF89a");
    TMDIChild *doc = open("|");
    type(doc, "<img src=\"pi");
    ASSERT_TRUE(listShown(doc));
    type(doc, "\n");
    EXPECT_EQ(marked(doc), "<img src=\"pics/|");
    ASSERT_TRUE(listShown(doc));  // the folder's own entries follow
    type(doc, "\n");
    EXPECT_EQ(marked(doc), "<img src=\"pics/logo.gif|");
}

TEST_F(TypingHelpTest, CompletionCanBeTurnedOff)
{
    AppSettings().Typing.CompleteNames = false;
    TMDIChild *doc = open("|");
    type(doc, "<");
    EXPECT_FALSE(listShown(doc));
}

TEST_F(TypingHelpTest, OptionsPageTurnsThePartsOffAndStoresThem)
{
    TMDIChild *doc = open("|");
    prompts.modals.append([](QDialog *d) {
        d->findChild<QCheckBox *>("closeTagsChk")->setChecked(false);
        d->findChild<QAbstractButton *>("lowerCaseRadio")->click();
        d->findChild<QAbstractButton *>("OKBtn")->click();
        return d->result();
    });
    doc->action("Options2")->trigger();
    settle();
    EXPECT_FALSE(AppSettings().Typing.CloseTags);
    EXPECT_TRUE(AppSettings().Typing.MatchTags);
    EXPECT_FALSE(AppSettings().Typing.UpperCaseNames);
    type(doc, "<b>");
    EXPECT_EQ(marked(doc).left(4), "<b>|");
    SaveSettings(*store, AppSettings());
    Settings read;
    LoadSettings(*store, read);
    EXPECT_FALSE(read.Typing.CloseTags);
    EXPECT_FALSE(read.Typing.UpperCaseNames);
    EXPECT_EQ(read.Typing.MatchColor, Settings().Typing.MatchColor);
}
