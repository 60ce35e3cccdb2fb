#include "support/FakeDocument.h"
#include "support/HeadlessBrowser.h"
#include "support/ScriptedPrompts.h"
#include "tags/FramesDlg.h"
#include "tags/UrlPicker.h"
#include "widgets/NumberEdit.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
template <typename W>
W *child(QWidget *dialog, const char *name)
{
    W *w = dialog->findChild<W *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void type(QDialog *d, const char *field, const char *text)
{
    child<QLineEdit>(d, field)->setText(QString::fromUtf8(text));
}

void choose(QDialog *d, const char *group, int item)
{
    child<RadioGroup>(d, group)->setItemIndex(item);
}

void click(QDialog *d, const char *button)
{
    child<QAbstractButton>(d, button)->click();
}

using Modal = std::function<int(QDialog *)>;

// Answers one size dialog: value type and value, then OK (or Cancel when cancel is set).
Modal sizeAnswer(int valueType, const char *value, bool cancel = false)
{
    return [=](QDialog *d) {
        choose(d, "ValueTypeGroup", valueType);
        type(d, "ValueEdit", value);
        return int(cancel ? QDialog::Rejected : QDialog::Accepted);
    };
}
}  // namespace

TEST(FramesMarkup, ElementsAndSizes)
{
    const struct
    {
        FrameElement element;
        NameValueList values;
        const char *start;
        const char *end;
    } cases[] = {
        {FrameElement::FrameSet, {{"border", "0"}}, "<FRAMESET BORDER=0>\r\n", "\r\n</FRAMESET>"},
        {FrameElement::FrameSet,
         {{"cols", "30%,*"}, {"border", "1"}},
         "<FRAMESET BORDER=1 COLS=\"30%,*\">\r\n",
         "\r\n</FRAMESET>"},
        {FrameElement::FrameSet,
         {{"rows", "100,*"}, {"border", "0"}, {"cols", ""}},
         "<FRAMESET BORDER=0 ROWS=\"100,*\">\r\n",
         "\r\n</FRAMESET>"},
        {FrameElement::FrameSet,
         {{"cols", "1\",2\r\n"}, {"border", "0"}},
         "<FRAMESET BORDER=0 COLS=\"1&quot;,2 \">\r\n",
         "\r\n</FRAMESET>"},
        {FrameElement::SizeValue, {{"colRow", "120"}}, "120", ""},
        {FrameElement::Frame,
         {{"name", "main"}, {"src", "a.html"}, {"scrolling", "AUTO"}},
         "<FRAME NAME=\"main\" SCROLLING=\"AUTO\" SRC=\"a.html\">",
         ""},
        {FrameElement::Frame,
         {{"scrolling", "NO"}, {"marginWidth", "5"}, {"noResize", "true"}},
         "<FRAME NAME=\"\" SCROLLING=\"NO\" MARGINWIDTH=\"5\" NORESIZE>",
         ""},
        {FrameElement::Frame,
         {{"name", "a\"b"}, {"scrolling", "YES"}, {"marginHeight", "7"}, {"marginWidth", "2"}, {"noResize", "false"}},
         "<FRAME NAME=\"a&quot;b\" SCROLLING=\"YES\" MARGINWIDTH=\"2\" MARGINHEIGHT=\"7\">",
         ""},
        {FrameElement::NoFrames, {}, "<NOFRAMES>", "</NOFRAMES>"},
    };
    for (const auto &c : cases) {
        const FramesMarkupText text = FramesElementMarkup(c.element, c.values);
        EXPECT_EQ(text.start, QString::fromLatin1(c.start));
        EXPECT_EQ(text.end, QString::fromLatin1(c.end)) << c.start;
    }
    const struct
    {
        int type, value;
        const char *text;
    } sizes[] = {{0, 30, "30%"}, {1, 120, "120"}, {2, 50, "*"}, {0, -1, "-1%"}, {1, -1, "-1"}, {-1, 5, ""}};
    for (const auto &s : sizes)
        EXPECT_EQ(SizeText(s.type, s.value), s.text);
    EXPECT_EQ(AppendSize("", "30%"), "30%");
    EXPECT_EQ(AppendSize("30%", "*"), "30%,*");
}

TEST(FramesDlg, PagesCaptionsAndWhatEachChoiceEnables)
{
    SetUrlPicker({});
    const char *captions[] = {"FrameSet - Col / Row", "FrameSet - Frame", "Frames"};
    const char *sheets[] = {"SizeSheet", "FrameSheet", "FrameSetSheet"};
    for (int page = 0; page < 3; ++page) {
        TFramesDlg dlg{TFramesDlg::Page(page)};
        EXPECT_EQ(dlg.windowTitle(), captions[page]);
        EXPECT_EQ(dlg.pages()->currentWidget()->objectName(), sheets[page]);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(dlg.pages()->isTabVisible(i), i == page);
    }

    TFramesDlg size(TFramesDlg::SizePage);
    EXPECT_EQ(size.values().value("colRow"), "0%");
    choose(&size, "ValueTypeGroup", SizeRemaining);
    EXPECT_FALSE(child<QWidget>(&size, "ValueEdit")->isEnabled());
    EXPECT_FALSE(child<QLabel>(&size, "ValueLabel")->isEnabled());
    choose(&size, "ValueTypeGroup", SizeInPixels);
    EXPECT_TRUE(child<QWidget>(&size, "ValueEdit")->isEnabled());
    EXPECT_TRUE(child<QLabel>(&size, "ValueLabel")->isEnabled());
    type(&size, "ValueEdit", "12345");
    EXPECT_EQ(size.sizeText(), "9999");
    type(&size, "ValueEdit", "-1");
    EXPECT_EQ(size.sizeText(), "-1");

    TFramesDlg frame(TFramesDlg::FramePage);
    EXPECT_FALSE(child<QWidget>(&frame, "MerginWidthEdit")->isEnabled());
    EXPECT_FALSE(child<QWidget>(&frame, "MerginHeightEdit")->isEnabled());
    EXPECT_FALSE(child<QWidget>(&frame, "SRCButton2")->isEnabled()) << "no URL composer installed";
    click(&frame, "MerginHeightChkBox");
    EXPECT_TRUE(child<QWidget>(&frame, "MerginHeightEdit")->isEnabled());
    EXPECT_FALSE(child<QWidget>(&frame, "MerginWidthEdit")->isEnabled());
    EXPECT_EQ(frame.values().toStrings(), QStringList({"name=", "marginHeight=1", "scrolling=AUTO"}));

    TFramesDlg set(TFramesDlg::FrameSetPage);
    const char *colsSide[] = {"FrameSet_ColsLabel", "FrameSet_ColsEdit", "FrameSet_ColsButton"};
    const char *rowsSide[] = {"FrameSet_RowsLabel", "FrameSet_RowsEdit", "FrameSet_RowsButton"};
    for (int division = 0; division < 2; ++division) {
        choose(&set, "FrameSet_DivideToGroup", division);
        for (const char *name : colsSide)
            EXPECT_EQ(child<QWidget>(&set, name)->isEnabled(), division == 0) << name;
        for (const char *name : rowsSide)
            EXPECT_EQ(child<QWidget>(&set, name)->isEnabled(), division == 1) << name;
    }
}

TEST(FrameCommands, WriteWhatTheDialogShows)
{
    const struct
    {
        const char *what;
        void (*command)(TextDocument &);
        QList<Modal> modals;  // the command's dialog first, then any nested size dialogs
        const char *selected;
        const char *expected;  // "|" marks where the caret ends
    } cases[] = {
        {"frame set defaults",
         FrameSet1Click,
         {[](QDialog *) { return int(QDialog::Accepted); }},
         "",
         "<FRAMESET BORDER=0>\r\n|\r\n</FRAMESET>"},
        {"two columns added, border 1",
         FrameSet1Click,
         {[](QDialog *d) {
              click(d, "FrameSet_ColsButton");
              click(d, "FrameSet_ColsButton");
              EXPECT_EQ(child<QLineEdit>(d, "FrameSet_ColsEdit")->text(), "30%,*");
              type(d, "FrameSet_BorderEdit", "1");
              return int(QDialog::Accepted);
          },
          sizeAnswer(SizeInPercent, "30"), sizeAnswer(SizeRemaining, "")},
         "",
         "<FRAMESET BORDER=1 COLS=\"30%,*\">\r\n|\r\n</FRAMESET>"},
        {"columns typed, then divided to rows",
         FrameSet1Click,
         {[](QDialog *d) {
              type(d, "FrameSet_ColsEdit", "50%,50%");
              choose(d, "FrameSet_DivideToGroup", 1);
              click(d, "FrameSet_RowsButton");
              return int(QDialog::Accepted);
          },
          sizeAnswer(SizeInPixels, "80")},
         "",
         "<FRAMESET BORDER=0 ROWS=\"80\">\r\n|\r\n</FRAMESET>"},
        {"add row cancelled keeps the typed rows",
         FrameSet1Click,
         {[](QDialog *d) {
              choose(d, "FrameSet_DivideToGroup", 1);
              type(d, "FrameSet_RowsEdit", "10%");
              click(d, "FrameSet_RowsButton");
              return int(QDialog::Accepted);
          },
          sizeAnswer(SizeInPixels, "80", true)},
         "",
         "<FRAMESET BORDER=0 ROWS=\"10%\">\r\n|\r\n</FRAMESET>"},
        {"frame set around a selection",
         FrameSet1Click,
         {[](QDialog *) { return int(QDialog::Accepted); }},
         "<FRAME>",
         "<FRAMESET BORDER=0>\r\n<FRAME>\r\n</FRAMESET>|"},
        {"frame with name and source",
         Frame1Click,
         {[](QDialog *d) {
             type(d, "NameEdit", "main");
             type(d, "SRCEdit", "a.html");
             return int(QDialog::Accepted);
         }},
         "",
         "<FRAME NAME=\"main\" SCROLLING=\"AUTO\" SRC=\"a.html\">|"},
        {"frame: no scrolling, margin width, no resize",
         Frame1Click,
         {[](QDialog *d) {
             choose(d, "ScrollingGroup", 1);
             click(d, "MerginWidthChkBox");
             type(d, "MerginWidthEdit", "5");
             click(d, "NoResizeChkBox");
             return int(QDialog::Accepted);
         }},
         "",
         "<FRAME NAME=\"\" SCROLLING=\"NO\" MARGINWIDTH=\"5\" NORESIZE>|"},
        {"frame: a margin typed but not checked",
         Frame1Click,
         {[](QDialog *d) {
             type(d, "MerginHeightEdit", "9");
             choose(d, "ScrollingGroup", 0);
             return int(QDialog::Accepted);
         }},
         "",
         "<FRAME NAME=\"\" SCROLLING=\"YES\">|"},
        {"column in pixels", FrameCol1Click, {sizeAnswer(SizeInPixels, "120")}, "", "120|"},
        {"remaining space", FrameCol1Click, {sizeAnswer(SizeRemaining, "55")}, "", "*|"},
        {"percent in front of a selection", FrameCol1Click, {sizeAnswer(SizeInPercent, "25")}, "x", "25%x|"},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        prompts.modals = c.modals;
        FakeDocument doc(c.selected);
        doc.select(0, int(qstrlen(c.selected)));
        c.command(doc);
        EXPECT_TRUE(prompts.modals.isEmpty()) << c.what;
        const QByteArray expected(c.expected);
        EXPECT_EQ(doc.text(), QByteArray(expected).replace('|', "")) << c.what;
        EXPECT_EQ(doc.editor()->SelStart(), expected.indexOf('|')) << c.what;
        EXPECT_EQ(doc.editor()->SelLength(), 0) << c.what;
        doc.undo();
        EXPECT_EQ(doc.text(), c.selected) << c.what << ": one undo step";
    }
}

TEST(FrameCommands, NestedSizeDialogsCollectWithoutWriting)
{
    ScriptedPrompts prompts;
    FakeDocument doc("x");
    doc.select(1, 0);
    QStringList nestedTitles;
    const auto nested = [&](int type, const char *value, bool cancel) {
        return [&nestedTitles, inner = sizeAnswer(type, value, cancel)](QDialog *d) {
            nestedTitles << d->windowTitle();
            return inner(d);
        };
    };
    prompts.modals = {[&](QDialog *d) {
                          click(d, "FrameSet_ColsButton");
                          // OK in the size dialog only fills the field.
                          EXPECT_EQ(doc.text(), "x");
                          EXPECT_EQ(child<QLineEdit>(d, "FrameSet_ColsEdit")->text(), "20%");
                          click(d, "FrameSet_ColsButton");
                          EXPECT_EQ(child<QLineEdit>(d, "FrameSet_ColsEdit")->text(), "20%");
                          choose(d, "FrameSet_DivideToGroup", 1);
                          click(d, "FrameSet_RowsButton");
                          click(d, "FrameSet_RowsButton");
                          EXPECT_EQ(child<QLineEdit>(d, "FrameSet_RowsEdit")->text(), "-1,*");
                          return int(QDialog::Rejected);
                      },
                      nested(SizeInPercent, "20", false), nested(SizeInPixels, "99", true),
                      nested(SizeInPixels, "-1", false), nested(SizeRemaining, "", false)};
    FrameSet1Click(doc);
    EXPECT_TRUE(prompts.modals.isEmpty());
    EXPECT_EQ(prompts.modalNames, QStringList({"FramesDlg", "FramesDlg", "FramesDlg", "FramesDlg", "FramesDlg"}));
    EXPECT_EQ(nestedTitles, QStringList({"FrameSet - Col", "FrameSet - Col", "FrameSet - Row", "FrameSet - Row"}));
    EXPECT_EQ(doc.text(), "x") << "the frame set dialog was cancelled";
    EXPECT_FALSE(doc.isModified());
}

TEST(FrameCommands, NoFramesWrapsTheSelectionWithItsEndTag)
{
    const struct
    {
        const char *text;
        int selStart, selLength;
        const char *expected;
        int caret;
    } cases[] = {
        {"", 0, 0, "<NOFRAMES></NOFRAMES>", 10},
        {"ab", 1, 0, "a<NOFRAMES></NOFRAMES>b", 11},
        {"Use a\r\nframes browser", 0, 21, "<NOFRAMES>Use a\r\nframes browser</NOFRAMES>", 42},
    };
    for (const auto &c : cases) {
        FakeDocument doc(c.text);
        doc.select(c.selStart, c.selLength);
        NoFrames1Click(doc);
        EXPECT_EQ(doc.text(), c.expected);
        EXPECT_EQ(doc.editor()->SelStart(), c.caret) << c.expected;
        doc.undo();
        EXPECT_EQ(doc.text(), c.text);
    }
}

TEST(FrameCommands, SourceIsMadeRelativeBeforeWritingAndBrowseKeepsTheFieldOnCancel)
{
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    FakeDocument doc("", dir.filePath("site/index.html"));
    prompts.files = {QString(), dir.filePath("site/pages/a.html")};
    prompts.modals = {[](QDialog *d) {
        type(d, "SRCEdit", "typed.html");
        click(d, "SRCButton");
        EXPECT_EQ(child<QLineEdit>(d, "SRCEdit")->text(), "typed.html");
        click(d, "SRCButton");
        return int(QDialog::Accepted);
    }};
    Frame1Click(doc);
    ASSERT_EQ(prompts.fileRequests.size(), 2);
    EXPECT_EQ(prompts.fileRequests[0].filterIndex, 0) << "HTMLs";
    EXPECT_EQ(doc.text(), "<FRAME NAME=\"\" SCROLLING=\"AUTO\" SRC=\"pages/a.html\">");
    EXPECT_TRUE(prompts.messages.isEmpty());

    // A cancelled frame dialog asks nothing, even with an absolute source in an unsaved document.
    FakeDocument unsaved("");
    prompts.modals = {[&](QDialog *d) {
        type(d, "SRCEdit", dir.filePath("a.html").toUtf8().constData());
        return int(QDialog::Rejected);
    }};
    Frame1Click(unsaved);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(unsaved.text(), "");
}

TEST(BrowserCheck, FrameSetHoldsItsFramesAndNoFramesContent)
{
    const auto pair = [](FrameElement element, const NameValueList &v, const QByteArray &inner = {}) {
        const FramesMarkupText t = FramesElementMarkup(element, v);
        return t.start.toLatin1() + inner + t.end.toLatin1() + "\r\n";
    };
    const QByteArray inner = pair(
        FrameElement::FrameSet, {{"rows", "40%,*"}, {"border", "0"}},
        pair(FrameElement::Frame, {{"name", "top"}, {"scrolling", "NO"}, {"noResize", "true"}})
            + pair(FrameElement::Frame, {{"name", "bottom"}, {"scrolling", "AUTO"}}));
    const QByteArray frames = pair(
        FrameElement::FrameSet, {{"cols", "30%,*"}, {"border", "1"}},
        pair(FrameElement::Frame, {{"name", "menu"}, {"scrolling", "AUTO"}, {"marginWidth", "5"}}) + inner
            + pair(FrameElement::NoFrames, {}, "<P>Your browser shows no frames.</P>"));
    const QByteArray page = "<HTML><HEAD><TITLE>f</TITLE></HEAD>\r\n" + frames + "</HTML>";
    const BrowserPage result = LoadInBrowser(page,
                                             QStringLiteral("window.frames.length + '|' + window.frames[2].name"));
    REQUIRE_BROWSER(result);
    EXPECT_TRUE(result.scriptErrors.isEmpty()) << result.scriptErrors.join('\n').toStdString();
    EXPECT_EQ(result.probe, "3|bottom") << result.outline.toStdString();
    // Frames without a source hold an empty page of their own; the margin reaches the frame's body.
    EXPECT_EQ(result.outline, QStringLiteral("HTML\n  HEAD\n    TITLE\n"
                                             "  FRAMESET BORDER=\"1\" COLS=\"30%,*\"\n"
                                             "    FRAME NAME=\"menu\" SCROLLING=\"AUTO\" MARGINWIDTH=\"5\"\n"
                                             "      HTML\n        HEAD\n        BODY MARGINWIDTH=\"5\"\n"
                                             "    FRAMESET BORDER=\"0\" ROWS=\"40%,*\"\n"
                                             "      FRAME NAME=\"top\" SCROLLING=\"NO\" NORESIZE=\"\"\n"
                                             "        HTML\n          HEAD\n          BODY\n"
                                             "      FRAME NAME=\"bottom\" SCROLLING=\"AUTO\"\n"
                                             "        HTML\n          HEAD\n          BODY\n"
                                             "    NOFRAMES\n"))
        << result.outline.toStdString();
}
