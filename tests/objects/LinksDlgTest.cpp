#include "support/DialogTestUtil.h"
#include "support/FakeDocument.h"
#include "objects/LinksDlg.h"
#include "objects/ObjectCommands.h"
#include "objects/URLDlg.h"
#include "support/ScriptedPrompts.h"
#include "tags/UrlPicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QStackedWidget>

namespace {

QStringList items(QDialog *d, const char *list)
{
    QStringList out;
    auto *w = child<QListWidget>(d, list);
    for (int i = 0; i < w->count(); ++i)
        out.append(w->item(i)->text());
    return out;
}

void choose(QDialog *d, const char *list, int row)
{
    child<QListWidget>(d, list)->setCurrentRow(row);
}

void setTarget(QDialog *d, const char *check, const char *box, const QString &text, bool checked)
{
    auto *c = child<QCheckBox>(d, check);
    auto *b = child<QComboBox>(d, box);
    EXPECT_FALSE(b->isEnabled());
    c->setChecked(true);
    EXPECT_TRUE(b->isEnabled());
    b->setEditText(text);
    c->setChecked(checked);
}

struct PickerInstalled
{
    PickerInstalled() { SetUrlPicker(PickURL); }
    ~PickerInstalled() { SetUrlPicker({}); }
};

}  // namespace

TEST(LinksDlg, CommandsOpenTheirPage)
{
    const struct
    {
        void (*command)(TextDocument &);
        int page;
    } cases[] = {
        {TargetName1Click, 0},
        {Jumpwithinthisdocument1Click, 1},
        {Insertadocumentinthesamesystem1Click, 2},
        {Insertadocumentinothersystem1Click, 3},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        FakeDocument doc("text");
        prompts.modals.append([&c](QDialog *d) {
            EXPECT_EQ(d->objectName(), "LinksDlg");
            EXPECT_EQ(child<QStackedWidget>(d, "Notebook")->currentIndex(), c.page);
            EXPECT_EQ(d->windowTitle(), LinksDlgCaption(c.page));
            click(d, "CancelBtn");
            return d->result();
        });
        c.command(doc);
        EXPECT_EQ(prompts.modalNames.size(), 1);
        EXPECT_EQ(doc.text(), "text");
        EXPECT_FALSE(doc.isModified());
    }
}

TEST(LinksDlg, LinkToAnAnchorAsWritten)
{
    ScriptedPrompts prompts;
    FakeDocument doc("<a name=\"Top\">\r\n<A NAME=\"Intro\">\r\nhere");
    doc.select(doc.text().size() - 4, 4);
    prompts.answers = {QMessageBox::Ok};
    prompts.modals.append([&doc](QDialog *d) {
        EXPECT_EQ(items(d, "AnchorList2"), QStringList({"Top", "Intro"}));
        EXPECT_EQ(textOf(d, "AnchorDesEdit"), "here");
        // OK with no anchor chosen: a notice, the dialog stays, nothing written.
        click(d, "OKBtn");
        EXPECT_EQ(d->result(), QDialog::Rejected);
        EXPECT_FALSE(doc.isModified());
        choose(d, "AnchorList2", 1);
        setTarget(d, "LinkToAnchorDefineTargetChkBox", "LinkToAnchorDefineTargetEdit", "_Top", true);
        return pressOK(d);
    });
    Jumpwithinthisdocument1Click(doc);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages.first().caption, "Information");
    EXPECT_EQ(doc.text(), "<a name=\"Top\">\r\n<A NAME=\"Intro\">\r\n<A HREF=\"#Intro\" TARGET=\"_Top\">here</A>");
}

TEST(LinksDlg, AnchorFromTheSelectionNeedsNoDialog)
{
    ScriptedPrompts prompts;
    FakeDocument doc("1. Contents");
    doc.select(3, 8);
    TargetName1Click(doc);
    EXPECT_TRUE(prompts.modalNames.isEmpty());
    EXPECT_EQ(doc.text(), "1. <A NAME=\"Contents\"></A>");
}

TEST(LinksDlg, MakeAnAnchorReplacesTheChosenOne)
{
    const struct
    {
        const char *text;
        int caret;
        const char *expected;
    } cases[] = {
        {"x<A NAME=\"a\"></A>y", 0, "x<A NAME=\"b\"></A>y"},
        // Not written exactly that way: the old one stays and the new one goes in at the caret.
        {"x<a name=\"a\"></a>y", 0, "<A NAME=\"b\"></A>x<a name=\"a\"></a>y"},
        {"<A NAME=\"a\">text</A>.", 20, "<A NAME=\"a\">text</A><A NAME=\"b\"></A>."},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        FakeDocument doc(c.text);
        doc.editor()->setSelStart(c.caret);
        prompts.modals.append([](QDialog *d) {
            EXPECT_EQ(items(d, "AnchorList"), QStringList({"a"}));
            choose(d, "AnchorList", 0);
            type(d, "AnchorEdit", "b");
            return pressOK(d);
        });
        TargetName1Click(doc);
        EXPECT_EQ(doc.text(), c.expected);
    }
    // The small button clears the choice: the anchor goes in at the caret.
    ScriptedPrompts prompts;
    FakeDocument doc("<A NAME=\"a\"></A>");
    prompts.modals.append([](QDialog *d) {
        choose(d, "AnchorList", 0);
        click(d, "AnchorButton");
        EXPECT_TRUE(child<QListWidget>(d, "AnchorList")->selectedItems().isEmpty());
        return pressOK(d);
    });
    TargetName1Click(doc);
    EXPECT_EQ(doc.text(), "<A NAME=\"\"></A><A NAME=\"a\"></A>");
}

TEST(LinksDlg, LinkToAFileIsRelativeAndBrowseCancelKeepsTheField)
{
    ScriptedPrompts prompts;
    FakeDocument doc("see", "/web/site/index.html");
    doc.select(0, 3);
    prompts.files = {"/web/site/img/p.html", ""};
    prompts.modals.append([](QDialog *d) {
        click(d, "FNButton");
        EXPECT_EQ(textOf(d, "FNEdit"), "/web/site/img/p.html");
        click(d, "FNButton");
        EXPECT_EQ(textOf(d, "FNEdit"), "/web/site/img/p.html");
        setTarget(d, "FNDefineTargetChkBox", "FNDefineTargetEdit", "", true);  // checked but empty: no TARGET
        return pressOK(d);
    });
    Insertadocumentinthesamesystem1Click(doc);
    EXPECT_EQ(prompts.fileRequests.first().filterIndex, 0);  // HTMLs
    EXPECT_EQ(doc.text(), "<A HREF=\"img/p.html\">see</A>");
}

TEST(LinksDlg, LinkToAUrlThroughTheWizard)
{
    PickerInstalled picker;
    ScriptedPrompts prompts;
    FakeDocument doc("here");
    doc.select(0, 4);
    prompts.modals.append([](QDialog *d) {
        type(d, "URLEdit", "typed");
        click(d, "URLButton");  // runs the composer below
        EXPECT_EQ(textOf(d, "URLEdit"), "http://h");
        click(d, "URLButton");  // cancelled: the field keeps its URL
        EXPECT_EQ(textOf(d, "URLEdit"), "http://h");
        setTarget(d, "URLDefineTargetChkBox", "URLDefineTargetEdit", "_Top", false);  // cleared: no TARGET
        return pressOK(d);
    });
    prompts.modals.append([](QDialog *d) {
        child<QComboBox>(d, "RTypeCombo")->setCurrentIndex(0);
        type(d, "HostEdit", "h");
        return pressOK(d);
    });
    prompts.modals.append([](QDialog *d) { return d->reject(), d->result(); });
    Insertadocumentinothersystem1Click(doc);
    EXPECT_EQ(prompts.modalNames, QStringList({"LinksDlg", "URLDlg", "URLDlg"}));
    EXPECT_EQ(doc.text(), "<A HREF=\"http://h\">here</A>");
}

// A selection beyond a line edit's capacity, with line breaks, is written back whole.
TEST(LinksDlg, LongMultiLineDescriptionSurvives)
{
    QByteArray selection;
    for (int i = 0; selection.size() < 100000; ++i)
        selection += "line " + QByteArray::number(i) + " \xc3\xa4 \"quoted\"\r\n";
    for (bool edited : {false, true}) {
        ScriptedPrompts prompts;
        FakeDocument doc("[" + selection + "]");
        doc.select(1, int(selection.size()));
        prompts.modals.append([edited](QDialog *d) {
            type(d, "URLEdit", "u");
            if (edited)
                type(d, "URLDesEdit", "short");
            return pressOK(d);
        });
        Insertadocumentinothersystem1Click(doc);
        EXPECT_EQ(doc.text(), "[<A HREF=\"u\">" + (edited ? QByteArray("short") : selection) + "</A>]");
    }
}

TEST(LinksDlg, RelativeFileNameCommand)
{
    ScriptedPrompts prompts;
    FakeDocument doc("a SEL b", "/web/index.html");
    doc.select(2, 3);
    prompts.files = {"", "/web/img/x.gif"};
    Insertarelativefilename1Click(doc);
    EXPECT_EQ(doc.text(), "a SEL b");
    EXPECT_EQ(doc.editor()->SelText(), "SEL");
    Insertarelativefilename1Click(doc);
    EXPECT_EQ(doc.text(), "a img/x.gif b");
    EXPECT_EQ(prompts.fileRequests.last().filterIndex, 3);  // All
}
