#include "objects/JavaAppletDlg.h"
#include "objects/LayerDlg.h"
#include "support/ScriptedPrompts.h"
#include "support/DialogTestUtil.h"
#include "support/FakeDocument.h"
#include "platform/FileAsk.h"
#include "tags/UrlPicker.h"

#include <QDir>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::function<int(QDialog *)> fillAndOk(const QList<Fill> &fills, const char *okName)
{
    return [fills, okName](QDialog *d) {
        fillDialog(d, fills);
        click(d, okName);
        return d->result();
    };
}

QWidget *control(QDialog *d, const char *name)
{
    QWidget *w = d->findChild<QWidget *>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// A URL composer that hands back `url`, or nothing when it is empty.
UrlPicker picker(const QString &url)
{
    return [url](QWidget *, QString &out) {
        if (url.isEmpty())
            return false;
        out = url;
        return true;
    };
}

const QByteArray Clock = "<APPLET CODE=\"Clock.class\" NAME=\"c\" WIDTH=200 HEIGHT=100 ALIGN=LEFT";

}  // namespace

TEST(JavaAppletDlg, AppletPageWritesWhatItShows)
{
    const QList<Fill> clock = {{"CodeEdit", "Clock"}, {"NameEdit", "c"}, {"WidthEdit", "200"}, {"HeightEdit", "100"}};
    const struct
    {
        QList<Fill> more;
        const char *attributes;  // after the always-written ones
    } cases[] = {
        {{}, ""},
        {{{"VSpaceChkBox", "1"}, {"VSpaceEdit", "5"}}, " VSPACE=5"},
        {{{"AltChkBox", "1"}, {"AltEdit", "a \"clock\""}, {"HSpaceChkBox", "1"}, {"VSpaceChkBox", "1"}},
         " ALT=\"a &quot;clock&quot;\" VSPACE=1 HSPACE=1"},
        // Unchecked boxes leave their fields out whatever they hold.
        {{{"AltEdit", "x"}, {"CodeBaseEdit", "http://x/"}, {"HSpaceEdit", "9"}}, ""},
        {{{"HSpaceChkBox", "1"}, {"HSpaceEdit", "150"}}, " HSPACE=99"},
        {{{"CodeBaseChkBox", "1"}, {"CodeBaseEdit", "http://example.org/classes/"}},
         " CODEBASE=\"http://example.org/classes/\""},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        FakeDocument doc;
        prompts.modals = {fillAndOk(clock + c.more, "OKBtn")};
        JavaApplet1Click(doc);
        const QByteArray start = Clock + c.attributes + ">\r\n";
        EXPECT_EQ(doc.text(), start + "\r\n</APPLET>") << c.attributes;
        EXPECT_EQ(doc.editor()->SelStart(), start.size()) << c.attributes;
        EXPECT_EQ(prompts.modalNames, QStringList{"JavaAppletDlg"});
    }

    // Code with its extension in any case, another alignment, PARAM lines selected inside.
    ScriptedPrompts prompts;
    FakeDocument doc("<PARAM NAME=\"a\" VALUE=\"1\">");
    doc.select(0, int(doc.text().size()));
    prompts.modals = {fillAndOk({{"CodeEdit", "Clock.CLASS"}, {"ALIGNgroupbox", "5"}}, "OKBtn")};
    JavaApplet1Click(doc);
    EXPECT_EQ(doc.text(), "<APPLET CODE=\"Clock.CLASS\" NAME=\"\" WIDTH=0 HEIGHT=0 ALIGN=ABSMIDDLE>\r\n"
                          "<PARAM NAME=\"a\" VALUE=\"1\">\r\n</APPLET>");
    EXPECT_EQ(doc.editor()->SelStart(), doc.text().size());
}

TEST(JavaAppletDlg, CheckBoxesEnableTheirControlsAndCancelWritesNothing)
{
    SetUrlPicker(picker(QStringLiteral("http://x/")));
    TJavaAppletDlg dlg;
    const struct
    {
        const char *box;
        QStringList controls;
    } rows[] = {
        {"CodeBaseChkBox", {"CodeBaseEdit", "CodeBaseButton", "CodeBaseButton2"}},
        {"AltChkBox", {"AltEdit"}},
        {"VSpaceChkBox", {"VSpaceEdit"}},
        {"HSpaceChkBox", {"HSpaceEdit"}},
    };
    for (const auto &row : rows) {
        for (const QString &name : row.controls)
            EXPECT_FALSE(control(&dlg, name.toLatin1())->isEnabled()) << name.toStdString();
        fillDialog(&dlg, {{row.box, "1"}});
        for (const auto &other : rows)
            for (const QString &name : other.controls)
                EXPECT_EQ(control(&dlg, name.toLatin1())->isEnabled(), &other <= &row)
                    << row.box << " " << name.toStdString();
    }
    SetUrlPicker({});
    // Without a URL composer the wizard stays disabled even with its box checked.
    TJavaAppletDlg noComposer;
    fillDialog(&noComposer, {{"CodeBaseChkBox", "1"}});
    EXPECT_TRUE(control(&noComposer, "CodeBaseButton")->isEnabled());
    EXPECT_FALSE(control(&noComposer, "CodeBaseButton2")->isEnabled());

    ScriptedPrompts prompts;
    FakeDocument doc("x");
    prompts.modals = {[](QDialog *d) {
        fillDialog(d, {{"CodeEdit", "Clock"}});
        click(d, "CancelBtn");
        return d->result();
    }};
    JavaApplet1Click(doc);
    EXPECT_EQ(doc.text(), "x");
    EXPECT_FALSE(doc.isModified());
}

// The OK row was once built before the dialog owned it, so OK never became the
// default button and the code base's Browse button took its place: Enter opened
// a file dialog instead of writing the applet.
TEST(JavaAppletDlg, EnterInAFieldPressesOK)
{
    ScriptedPrompts prompts;
    FakeDocument doc("x");
    prompts.modals = {[](QDialog *d) {
        fillDialog(d, {{"CodeEdit", "Clock"}, {"CodeBaseChkBox", "1"}});
        d->show();
        QTest::keyClick(child<QLineEdit>(d, "CodeEdit"), Qt::Key_Return);
        return d->result();
    }};
    JavaApplet1Click(doc);
    EXPECT_TRUE(prompts.fileRequests.isEmpty());
    EXPECT_TRUE(doc.text().startsWith("<APPLET CODE=\"Clock.class\"")) << doc.text().constData();
}

TEST(JavaAppletDlg, CodeBaseBrowseTakesTheFolderAndIsWrittenRelative)
{
    QTemporaryDir dir;
    const QString docName = dir.filePath("page.html");
    ResetAskFileNameFolder();
    const struct
    {
        QString chosen;
        QString field;  // CodeBaseEdit after Browse
        const char *attribute;
    } cases[] = {
        // The document's own folder: relative, it is empty and no CODEBASE is written.
        {dir.filePath("Clock.class"), dir.path() + "/", ""},
        {dir.filePath("java/Clock.class"), dir.path() + "/java/", " CODEBASE=\"java/\""},
        {"/elsewhere/lib/Clock.class", "/elsewhere/lib/", " CODEBASE=\"/elsewhere/lib/\""},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        FakeDocument doc({}, docName);
        prompts.files = {c.chosen};
        prompts.modals = {[&c](QDialog *d) {
            fillDialog(d, {{"CodeEdit", "Clock"},
                           {"NameEdit", "c"},
                           {"WidthEdit", "200"},
                           {"HeightEdit", "100"},
                           {"CodeBaseChkBox", "1"}});
            click(d, "CodeBaseButton");
            const QString shown = qobject_cast<QLineEdit *>(control(d, "CodeBaseEdit"))->text();
            EXPECT_EQ(shown, c.field);
            click(d, "OKBtn");
            return d->result();
        }};
        JavaApplet1Click(doc);
        EXPECT_EQ(doc.text(), Clock + c.attribute + ">\r\n\r\n</APPLET>") << c.attribute;
        ASSERT_EQ(prompts.fileRequests.size(), 1);
        EXPECT_EQ(prompts.fileRequests[0].filterIndex, FileFilterKind::JavaClasses - 1);
    }
}

TEST(JavaAppletDlg, CancelledBrowseAndWizardKeepTheField)
{
    ScriptedPrompts prompts;
    TJavaAppletDlg dlg;
    fillDialog(&dlg, {{"CodeBaseChkBox", "1"}, {"CodeBaseEdit", "typed/"}});
    auto *field = qobject_cast<QLineEdit *>(control(&dlg, "CodeBaseEdit"));
    prompts.files = {""};
    click(&dlg, "CodeBaseButton");
    EXPECT_EQ(field->text(), "typed/");
    SetUrlPicker(picker(QString()));
    TJavaAppletDlg withComposer;
    fillDialog(&withComposer, {{"CodeBaseChkBox", "1"}, {"CodeBaseEdit", "typed/"}});
    click(&withComposer, "CodeBaseButton2");
    auto *field2 = qobject_cast<QLineEdit *>(control(&withComposer, "CodeBaseEdit"));
    EXPECT_EQ(field2->text(), "typed/");
    SetUrlPicker(picker(QStringLiteral("http://example.org/")));
    click(&withComposer, "CodeBaseButton2");
    EXPECT_EQ(field2->text(), "http://example.org/");
    SetUrlPicker({});
}

TEST(JavaAppletDlg, ParameterPageIsShortAndWritesAtTheCaret)
{
    TJavaAppletDlg applet(TJavaAppletDlg::AppletPage);
    TJavaAppletDlg parameter(TJavaAppletDlg::ParameterPage);
    EXPECT_EQ(parameter.pages()->currentIndex(), 1);
    EXPECT_EQ(parameter.windowTitle(), "Java Applet");
    EXPECT_LT(parameter.height() * 2, applet.height()) << parameter.height() << " " << applet.height();
    // A page switched to later fits too.
    applet.setPage(TJavaAppletDlg::ParameterPage);
    EXPECT_EQ(applet.height(), parameter.height());

    const struct
    {
        QByteArray text;
        int selStart, selLength;
        const char *expected;
        int caret;
    } cases[] = {
        {"", 0, 0, "<PARAM NAME=\"speed\" VALUE=\"10\">", 31},
        {"ab", 1, 0, "a<PARAM NAME=\"speed\" VALUE=\"10\">b", 32},
        // In front of a selection, which stays.
        {"xy", 0, 2, "<PARAM NAME=\"speed\" VALUE=\"10\">xy", 33},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        FakeDocument doc(c.text);
        doc.select(c.selStart, c.selLength);
        prompts.modals = {fillAndOk({{"ParamNameEdit", "speed"}, {"ParamValueEdit", "10"}}, "OKBtn")};
        JavaAppletParameter1Click(doc);
        EXPECT_EQ(doc.text(), c.expected);
        EXPECT_EQ(doc.editor()->SelStart(), c.caret) << c.expected;
    }
}

TEST(LayerDlg, WritesWhatItShows)
{
    const struct
    {
        QList<Fill> fills;
        const char *start;
    } cases[] = {
        {{}, "<LAYER>"},
        {{{"nameEdit", "top"}, {"leftEdit", "10"}, {"topEdit", "20"}, {"widthEdit", "300"}, {"layerType", "1"}},
         "<ILAYER NAME=\"top\" WIDTH=300>"},
        {{{"leftEdit", "10"}, {"topEdit", "-20"}, {"heightEdit", "40"}, {"widthEdit", "0"}},
         "<LAYER LEFT=10 HEIGHT=40>"},
        {{{"x1edit", "0"}, {"y1edit", "0"}, {"x2edit", "100"}, {"y2edit", "50"}}, "<LAYER CLIP=\"0,0,100,50\">"},
        {{{"x1edit", "-5"}, {"y1edit", "7"}, {"x2edit", "100"}, {"y2edit", "50"}}, "<LAYER CLIP=\"-5,7,100,50\">"},
        {{{"x1edit", "0"}, {"y1edit", "0"}, {"x2edit", "100"}, {"y2edit", "0"}}, "<LAYER>"},
        {{{"visibleGroup", "1"}, {"bgcolorChk", "1"}}, "<LAYER VISIBILITY=HIDE BGCOLOR=\"FFFFFF\">"},
        {{{"visibleGroup", "2"}, {"bgColorBtn", "#102030"}}, "<LAYER VISIBILITY=INHERIT>"},
        {{{"bgcolorChk", "1"}, {"bgColorBtn", "#102030"}}, "<LAYER BGCOLOR=\"102030\">"},
        {{{"zindexChk", "1"}, {"zindexEdit", "-3"}}, "<LAYER Z-INDEX=-3>"},
        {{{"zindexEdit", "4"}}, "<LAYER>"},
        {{{"aboveEdit", "sky"}, {"belowEdit", "ground"}, {"nameEdit", "a\"b"}},
         "<LAYER NAME=\"a&quot;b\" ABOVE=\"sky\" BELOW=\"ground\">"},
        {{{"srcEdit", "http://example.org/in.html"}, {"bgEdit", "http://example.org/bg.gif"}},
         "<LAYER BACKGROUND=\"http://example.org/bg.gif\" SRC=\"http://example.org/in.html\">"},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        FakeDocument doc;
        prompts.modals = {fillAndOk(c.fills, "okBtn")};
        Newlayer1Click(doc);
        const QByteArray start = QByteArray(c.start) + "\r\n";
        const QByteArray end = QByteArray(c.start).startsWith("<ILAYER") ? "</ILAYER>" : "</LAYER>";
        EXPECT_EQ(doc.text(), start + "\r\n" + end) << c.start;
        EXPECT_EQ(doc.editor()->SelStart(), start.size()) << c.start;
        EXPECT_EQ(prompts.modalNames, QStringList{"layerFrm"});
    }

    // A selection ends up inside; Cancel ("Never mind") writes nothing.
    ScriptedPrompts prompts;
    FakeDocument doc("text");
    doc.select(0, 4);
    prompts.modals = {fillAndOk({}, "okBtn"), [](QDialog *d) {
                          fillDialog(d, {{"nameEdit", "x"}});
                          click(d, "cancelBtn");
                          return d->result();
                      }};
    Newlayer1Click(doc);
    EXPECT_EQ(doc.text(), "<LAYER>\r\ntext\r\n</LAYER>");
    Newlayer1Click(doc);
    EXPECT_EQ(doc.text(), "<LAYER>\r\ntext\r\n</LAYER>");
}

TEST(LayerDlg, InlineLayerHidesThePosition)
{
    TlayerFrm dlg;
    EXPECT_EQ(dlg.windowTitle(), "Layer");
    QWidget *panel = control(&dlg, "Panel1");
    EXPECT_FALSE(panel->isHidden());
    EXPECT_FALSE(control(&dlg, "zindexEdit")->isEnabled());
    EXPECT_FALSE(control(&dlg, "bgColorBtn")->isEnabled());
    EXPECT_EQ(qobject_cast<RadioGroup *>(control(&dlg, "visibleGroup"))->itemIndex(), -1);
    fillDialog(&dlg, {{"layerType", "1"}});
    EXPECT_TRUE(panel->isHidden());
    fillDialog(&dlg, {{"layerType", "0"}, {"zindexChk", "1"}, {"bgcolorChk", "1"}});
    EXPECT_FALSE(panel->isHidden());
    EXPECT_TRUE(control(&dlg, "zindexEdit")->isEnabled());
    EXPECT_TRUE(control(&dlg, "bgColorBtn")->isEnabled());
}

TEST(LayerDlg, FilesAreWrittenRelativeBackgroundFirst)
{
    QTemporaryDir dir;
    ResetAskFileNameFolder();
    ScriptedPrompts prompts;
    FakeDocument doc;  // never saved: the first relative name asks to save it
    prompts.files = {dir.filePath("img/bg.gif"), dir.filePath("inner.html"), dir.filePath("page.html")};
    prompts.answers = {QMessageBox::Yes};
    prompts.modals = {[](QDialog *d) {
        click(d, "SRCButton");
        click(d, "SpeedButton2");
        click(d, "okBtn");
        return d->result();
    }};
    Newlayer1Click(doc);
    EXPECT_EQ(doc.text(), "<LAYER BACKGROUND=\"img/bg.gif\" SRC=\"inner.html\">\r\n\r\n</LAYER>");
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(doc.saves, QStringList{dir.filePath("page.html")});
    ASSERT_EQ(prompts.fileRequests.size(), 3);
    EXPECT_EQ(prompts.fileRequests[0].filterIndex, FileFilterKind::Pictures - 1);
    EXPECT_EQ(prompts.fileRequests[1].filterIndex, FileFilterKind::HTMLs - 1);
    // One write: one undo step takes it all back.
    doc.undo();
    EXPECT_EQ(doc.text(), "");
}

TEST(LayerDlg, CancelledBrowseAndWizardKeepTheirFields)
{
    const struct
    {
        const char *button;
        const char *field;
        const char *composed;  // the URL composer's answer; empty when cancelled
        const char *expected;
    } cases[] = {
        {"SRCButton", "bgEdit", "", "typed"},
        {"SpeedButton2", "srcEdit", "", "typed"},
        {"SRCButton2", "bgEdit", "", "typed"},
        {"SpeedButton1", "srcEdit", "", "typed"},
        {"SRCButton2", "bgEdit", "http://example.org/bg.gif", "http://example.org/bg.gif"},
        {"SpeedButton1", "srcEdit", "http://example.org/", "http://example.org/"},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        prompts.files = {""};
        SetUrlPicker(picker(QString::fromLatin1(c.composed)));
        TlayerFrm dlg;
        fillDialog(&dlg, {{c.field, "typed"}});
        click(&dlg, c.button);
        EXPECT_EQ(qobject_cast<QLineEdit *>(control(&dlg, c.field))->text(), c.expected) << c.button;
    }
    SetUrlPicker({});
}
