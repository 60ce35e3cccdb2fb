#include "support/DialogTestUtil.h"
#include "support/FakeDocument.h"
#include "objects/ObjectCommands.h"
#include "objects/URLDlg.h"
#include "support/ScriptedPrompts.h"

#include <QComboBox>
#include <QLabel>

namespace {

void scheme(QDialog *d, const char *name)
{
    auto *combo = child<QComboBox>(d, "RTypeCombo");
    combo->setCurrentIndex(combo->findText(QString::fromLatin1(name)));
}

bool shown(QDialog *d, const char *name)
{
    return !child<QWidget>(d, name)->isHidden();
}

}  // namespace

TEST(URLDlg, WithoutASchemeTheFieldsLeaveTheUrlLineAlone)
{
    ScriptedPrompts prompts;
    prompts.modals.append([](QDialog *d) {
        EXPECT_EQ(d->objectName(), "URLDlg");
        EXPECT_EQ(d->windowTitle(), "URL");
        EXPECT_EQ(child<QComboBox>(d, "RTypeCombo")->currentIndex(), -1);
        EXPECT_EQ(child<QLabel>(d, "PortPanel")->text(), "Port #");
        type(d, "URLEdit", "typed://x");
        type(d, "HostEdit", "h");
        type(d, "PathEdit", "p");
        EXPECT_EQ(textOf(d, "URLEdit"), "typed://x");
        return pressOK(d);
    });
    QString url = "old";
    EXPECT_TRUE(PickURL(nullptr, url));
    EXPECT_EQ(url, "typed://x");
}

TEST(URLDlg, SchemesShowTheirRowsAndKeepHiddenTexts)
{
    ScriptedPrompts prompts;
    prompts.modals.append([](QDialog *d) {
        scheme(d, "ftp");
        type(d, "HostEdit", "h");
        type(d, "PortEdit", "21");
        type(d, "PathEdit", "pub");
        type(d, "FNEdit", "f.txt");
        type(d, "TargetEdit", "t");
        EXPECT_EQ(textOf(d, "URLEdit"), "ftp://h:21/pub/f.txt#t");

        scheme(d, "mailto");
        EXPECT_EQ(child<QLabel>(d, "HostPanel")->text(), "E-Mail Address");
        EXPECT_EQ(child<QLabel>(d, "Sep1")->text(), ":");
        for (const char *hidden : {"PortEdit", "PortPanel", "Sep2", "PathEdit", "Sep3", "FNEdit", "FNPanel", "Sep4",
                                   "TargetEdit", "TargetPanel", "Sep5"})
            EXPECT_FALSE(shown(d, hidden)) << hidden;
        EXPECT_EQ(textOf(d, "URLEdit"), "mailto:h");

        scheme(d, "telnet");
        EXPECT_EQ(child<QLabel>(d, "PathPanel")->text(), "Logon Username");
        EXPECT_EQ(child<QLabel>(d, "FNPanel")->text(), "Password");
        EXPECT_EQ(child<QLabel>(d, "Sep3")->text(), "");
        EXPECT_FALSE(shown(d, "TargetEdit"));

        scheme(d, "gopher");
        EXPECT_FALSE(shown(d, "FNEdit"));
        EXPECT_EQ(child<QLabel>(d, "TargetPanel")->text(), "Arguments");
        EXPECT_EQ(child<QLabel>(d, "Sep5")->text(), " ");

        // Back to ftp: the rows and their old texts return, and the URL is rebuilt.
        scheme(d, "ftp");
        for (const char *row : {"PortEdit", "PathEdit", "FNEdit", "TargetEdit"})
            EXPECT_TRUE(shown(d, row)) << row;
        EXPECT_EQ(child<QLabel>(d, "PortPanel")->text(), "Port");
        EXPECT_EQ(textOf(d, "URLEdit"), "ftp://h:21/pub/f.txt#t");

        // A URL typed by hand gives way to the next change of a field.
        type(d, "URLEdit", "by hand");
        type(d, "PortEdit", "");
        EXPECT_EQ(textOf(d, "URLEdit"), "ftp://h/pub/f.txt#t");
        return pressOK(d);
    });
    QString url;
    EXPECT_TRUE(PickURL(nullptr, url));
    EXPECT_EQ(url, "ftp://h/pub/f.txt#t");
}

TEST(URLDlg, CancelOrAnEmptyLineGivesNothing)
{
    ScriptedPrompts prompts;
    prompts.modals.append([](QDialog *d) {
        scheme(d, "http");
        type(d, "HostEdit", "h");
        click(d, "CancelBtn");
        return d->result();
    });
    prompts.modals.append([](QDialog *d) { return pressOK(d); });
    for (int i = 0; i < 2; ++i) {
        QString url = "kept";
        EXPECT_FALSE(PickURL(nullptr, url));
        EXPECT_EQ(url, "kept");
    }
}

// The command writes only what the composer gives back.
TEST(URLDlg, InsertAUrlAddress)
{
    ScriptedPrompts prompts;
    FakeDocument doc("a SEL b");
    doc.select(2, 3);
    prompts.modals.append([](QDialog *d) { return d->reject(), d->result(); });
    prompts.modals.append([](QDialog *d) { return pressOK(d); });  // empty URL line
    InsertaURLaddress1Click(doc);
    InsertaURLaddress1Click(doc);
    EXPECT_EQ(doc.text(), "a SEL b");
    EXPECT_EQ(doc.editor()->SelText(), "SEL");
    EXPECT_FALSE(doc.isModified());

    prompts.modals.append([](QDialog *d) {
        scheme(d, "news");
        type(d, "HostEdit", "comp.lang");
        return pressOK(d);
    });
    InsertaURLaddress1Click(doc);
    EXPECT_EQ(doc.text(), "a news:comp.lang b");
}
