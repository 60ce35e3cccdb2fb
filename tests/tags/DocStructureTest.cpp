#include "support/FakeDocument.h"
#include "support/HeadlessBrowser.h"
#include "support/ScriptedPrompts.h"
#include "tags/DocStructureDlg.h"
#include "tags/UrlPicker.h"
#include "widgets/ColorButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char Generator[] = "<META NAME=\"GENERATOR\" CONTENT=\"Tagloom V1.5\">";

QString lines(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *line : list)
        out << QString::fromUtf8(line);
    return out.join(QLatin1Char('\n'));
}

// A value in every field and every element box checked; two of the colours set.
DocStructureValues everyField()
{
    DocStructureValues v;
    v.docType = 2;
    v.title = "T";
    v.author = "A";
    v.keywords = "k1 k2";
    v.isIndex = true;
    v.isIndexPrompt = true;
    v.prompt = "P";
    v.baseHref = true;
    v.href = "h";
    v.baseTarget = true;
    v.target = "t";
    v.background = "bg.gif";
    v.colors[0] = Qt::white;
    v.colors[1] = Qt::black;
    return v;
}

template <typename W>
W *child(QWidget *dialog, const char *name)
{
    W *w = dialog->findChild<W *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

}  // namespace

TEST(DocStructureMarkup, HeadLinesForEachChoiceThatChangesThem)
{
    const QString defaults = lines({"", "<HTML>", "<HEAD>", "<TITLE></TITLE>", "<META NAME=\"Author\" CONTENT=\"\">",
                                    Generator, "</HEAD>", "<BODY", ">"});
    struct Case
    {
        const char *what;
        std::function<void(DocStructureValues &)> set;
        QString expected;
    };
    const Case cases[] = {
        {"defaults", [](DocStructureValues &) {}, defaults},
        {"every field filled", [](DocStructureValues &v) { v = everyField(); },
         lines({"<!DOCTYPE html PUBLIC \"-//IETF//DTD HTML 3.2//EN\">", "<HTML>", "<HEAD>", "<TITLE>T</TITLE>",
                "<META NAME=\"Author\" CONTENT=\"A\">", Generator, "<ISINDEX PROMPT=\"P\">",
                "<BASE HREF=\"h\" TARGET=\"t\">", "<META NAME=\"KEYWORDS\" CONTENT=\"k1 k2\">", "</HEAD>", "<BODY",
                " BACKGROUND=\"bg.gif\"", " BGCOLOR=\"FFFFFF\"", " TEXT=\"000000\"", ">"})},
        {"None", [](DocStructureValues &v) { v.docType = 0; }, defaults},
        {"HTML 2.0", [](DocStructureValues &v) { v.docType = 1; },
         QString(defaults).replace(0, 0, "<!DOCTYPE html PUBLIC \"-//IETF//DTD HTML 2.0//EN\">")},
        {"Netscape", [](DocStructureValues &v) { v.docType = 3; },
         QString(defaults).replace(0, 0, "<!DOCTYPE html PUBLIC \"-//Netscape Comm. Corp.//DTD HTML//EN\">")},
        {"ISINDEX alone",
         [](DocStructureValues &v) {
             v.isIndex = true;
             v.prompt = "ignored";
         },
         QString(defaults).replace(Generator, QString(Generator) + "\n<ISINDEX>")},
        {"PROMPT left checked without ISINDEX",
         [](DocStructureValues &v) {
             v.isIndexPrompt = true;
             v.prompt = "P";
         },
         defaults},
        {"only TARGET",
         [](DocStructureValues &v) {
             v.baseTarget = true;
             v.target = "t";
             v.href = "ignored";
         },
         QString(defaults).replace(Generator, QString(Generator) + "\n<BASE TARGET=\"t\">")},
        {"only HREF, empty", [](DocStructureValues &v) { v.baseHref = true; },
         QString(defaults).replace(Generator, QString(Generator) + "\n<BASE HREF=\"\">")},
        {"link colours in attribute order",
         [](DocStructureValues &v) {
             v.colors[4] = QColor(0x12, 0x34, 0x56);
             v.colors[2] = Qt::blue;
             v.colors[3] = Qt::red;
         },
         QString(defaults).replace("<BODY", "<BODY\n LINK=\"0000FF\"\n VLINK=\"FF0000\"\n ALINK=\"123456\"")},
        {"typed quotes and line breaks stay inside their line and value",
         [](DocStructureValues &v) {
             v.title = "a\r\nb \"c\" &amp;";
             v.author = "say \"hi\"";
             v.keywords = "x\ny";
             v.background = "my \"bg\".gif";
         },
         lines({"", "<HTML>", "<HEAD>", "<TITLE>a b \"c\" &amp;</TITLE>",
                "<META NAME=\"Author\" CONTENT=\"say &quot;hi&quot;\">", Generator,
                "<META NAME=\"KEYWORDS\" CONTENT=\"x y\">", "</HEAD>", "<BODY", " BACKGROUND=\"my &quot;bg&quot;.gif\"",
                ">"})},
    };
    for (const Case &c : cases) {
        DocStructureValues v;
        c.set(v);
        EXPECT_EQ(DocStructureHeadLines(v).join(QLatin1Char('\n')), c.expected) << c.what;
    }
    EXPECT_EQ(DocStructureTailLines(), QStringList({"Start writing here", "</BODY>", "</HTML>"}));
}

TEST(WriteDocStructure, FramesTheTextAndSelectsTheAppendedPlaceholder)
{
    const QByteArray defaultHead = "\r\n<HTML>\r\n<HEAD>\r\n<TITLE></TITLE>\r\n<META NAME=\"Author\" CONTENT=\"\">\r\n"
                                   "<META NAME=\"GENERATOR\" CONTENT=\"Tagloom V1.5\">\r\n</HEAD>\r\n<BODY\r\n>\r\n";
    const QByteArray tail = "Start writing here\r\n</BODY>\r\n</HTML>";
    struct Case
    {
        const char *what;
        QByteArray before;
        QString title;
        QByteArray title_bytes;  // the title as written into this document
        QByteArray body;         // what stands between ">" and the tail
        QByteArray end;          // what follows "</HTML>"
    };
    const Case cases[] = {
        {"empty document", "", "", "", "", ""},
        {"no final line break", "Hello", "", "", "Hello\r\n", ""},
        {"final line break", "Hello\r\n", "", "", "Hello\r\n", "\r\n"},
        {"a placeholder already in the text", "Start writing here\r\nStart writing here", "", "",
         "Start writing here\r\nStart writing here\r\n", ""},
        {"UTF-8 document, characters before the tail", "caf\xC3\xA9 \xE2\x82\xAC\r\n",
         QString::fromUtf8("\xC3\xA9\xE2\x82\xAC"), "\xC3\xA9\xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC\r\n", "\r\n"},
        {"Latin-1 document", "caf\xE9", QString::fromUtf8("\xC3\xA9\xE2\x82\xAC"), "\xE9&#8364;", "caf\xE9\r\n", ""},
    };
    for (const Case &c : cases) {
        FakeDocument doc(c.before);
        doc.select(0, 0);
        DocStructureValues v;
        v.title = c.title;
        doc.setDocType("stale");
        WriteDocStructure(doc, v);
        QByteArray head = defaultHead;
        head.replace("<TITLE></TITLE>", "<TITLE>" + c.title_bytes + "</TITLE>");
        EXPECT_EQ(doc.text(), head + c.body + tail + c.end) << c.what;
        EXPECT_EQ(doc.editor()->SelText(), QByteArray("Start writing here")) << c.what;
        EXPECT_EQ(doc.editor()->SelStart(), head.size() + c.body.size()) << c.what;
        EXPECT_EQ(doc.docType(), QString()) << c.what;
        EXPECT_TRUE(doc.isModified()) << c.what;
        doc.undo();
        EXPECT_EQ(doc.text(), c.before) << c.what << ": one undo step takes it all back";
    }
}

TEST(WriteDocStructure, StoresTheDocumentTypeLine)
{
    FakeDocument doc;
    DocStructureValues v;
    v.docType = 3;
    WriteDocStructure(doc, v);
    EXPECT_EQ(doc.docType(), "<!DOCTYPE html PUBLIC \"-//Netscape Comm. Corp.//DTD HTML//EN\">");
    EXPECT_TRUE(doc.text().startsWith(doc.docType().toUtf8() + "\r\n<HTML>\r\n"));
}

TEST(DocStructureDlg, DefaultsAndEnableChains)
{
    SetUrlPicker({});
    TDocStructure dlg;
    EXPECT_EQ(dlg.windowTitle(), "Document Properties");
    EXPECT_EQ(dlg.pages()->currentIndex(), 0);
    EXPECT_EQ(dlg.pages()->tabText(0), "Document Appearance");
    EXPECT_EQ(dlg.pages()->tabText(1), "Document Properties");
    EXPECT_EQ(child<QComboBox>(&dlg, "DocTypeCombo")->currentIndex(), -1);
    EXPECT_FALSE(child<QPushButton>(&dlg, "BGImageButton2")->isEnabled()) << "no URL composer installed";

    const std::pair<const char *, const char *> chains[] = {
        {"BackgroundColorChkBox", "bgColorBtn"},    {"TextColorChkBox", "textColorBtn"},
        {"LinkColorChkBox", "linkColorBtn"},        {"VisitedLinkColorChkBox", "vlinkColorBtn"},
        {"ActiveLinkColorChkBox", "alinkColorBtn"}, {"BASEHREFChkBox", "BASEHREFEdit"},
        {"BASETARGETChkBox", "BASETARGETEdit"},
    };
    for (const auto &[box, partner] : chains) {
        QCheckBox *check = child<QCheckBox>(&dlg, box);
        QWidget *w = child<QWidget>(&dlg, partner);
        EXPECT_FALSE(check->isChecked()) << box;
        EXPECT_FALSE(w->isEnabled()) << partner;
        check->click();
        EXPECT_TRUE(w->isEnabled()) << partner;
        check->click();
        EXPECT_FALSE(w->isEnabled()) << partner;
    }
    EXPECT_EQ(child<ColorButton>(&dlg, "bgColorBtn")->color(), QColor(Qt::white));

    auto *isIndex = child<QCheckBox>(&dlg, "ISINDEXChkBox");
    auto *prompt = child<QCheckBox>(&dlg, "ISINDEXPROMPTChkBox");
    auto *promptEdit = child<QLineEdit>(&dlg, "ISINDEXPROMPTEdit");
    EXPECT_FALSE(prompt->isEnabled());
    isIndex->click();
    EXPECT_TRUE(prompt->isEnabled());
    EXPECT_FALSE(promptEdit->isEnabled());
    prompt->click();
    EXPECT_TRUE(promptEdit->isEnabled());
    promptEdit->setText("P");
    EXPECT_TRUE(dlg.values().isIndexPrompt);
    isIndex->click();
    EXPECT_FALSE(prompt->isEnabled());
    EXPECT_FALSE(promptEdit->isEnabled());
    EXPECT_FALSE(dlg.values().isIndex);
    EXPECT_FALSE(dlg.values().isIndexPrompt) << "a disabled PROMPT box writes nothing";
    isIndex->click();
    EXPECT_TRUE(promptEdit->isEnabled()) << "re-checking ISINDEX restores the prompt field with its box";
}

TEST(DocStructureDlg, BrowseAndUrlWizardKeepTheFieldWhenCancelled)
{
    ScriptedPrompts prompts;
    SetUrlPicker([](QWidget *, QString &url) {
        url = "http://x.org/bg.gif";
        return true;
    });
    TDocStructure dlg;
    auto *edit = child<QLineEdit>(&dlg, "BGImageEdit");
    edit->setText("typed.gif");
    prompts.files = {""};
    child<QPushButton>(&dlg, "BGImageButton")->click();
    EXPECT_EQ(edit->text(), "typed.gif");
    ASSERT_EQ(prompts.fileRequests.size(), 1);
    EXPECT_EQ(prompts.fileRequests[0].filterIndex, 1) << "Pictures";
    prompts.files = {"/pics/chosen.gif"};
    child<QPushButton>(&dlg, "BGImageButton")->click();
    EXPECT_EQ(edit->text(), "/pics/chosen.gif");
    auto *wizard = child<QPushButton>(&dlg, "BGImageButton2");
    ASSERT_TRUE(wizard->isEnabled());
    wizard->click();
    EXPECT_EQ(edit->text(), "http://x.org/bg.gif");
    SetUrlPicker({});
}

namespace {
// Saving records the text the document held at that moment.
class RecordingDocument : public FakeDocument
{
public:
    using FakeDocument::FakeDocument;
    bool saveDocument(const QString &fileName) override
    {
        textsAtSave.append(text());
        return FakeDocument::saveDocument(fileName);
    }
    QList<QByteArray> textsAtSave;
};
}  // namespace

TEST(Insertalldocumentelements, AsksAboutTheRelativePathBeforeWritingAndWritesOnce)
{
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    RecordingDocument doc("Hello");
    const QString picture = dir.filePath("img/bg.gif");
    prompts.modals = {[&](QDialog *d) {
        child<QLineEdit>(d, "BGImageEdit")->setText(picture);
        child<QLineEdit>(d, "TitleEdit")->setText("T");
        child<QComboBox>(d, "DocTypeCombo")->setCurrentIndex(2);
        child<QCheckBox>(d, "TextColorChkBox")->click();
        return int(QDialog::Accepted);
    }};
    prompts.colors = {};
    prompts.answers = {QMessageBox::Yes};
    prompts.files = {dir.filePath("index.html")};
    Insertalldocumentelements1Click(doc);
    EXPECT_EQ(prompts.modalNames, QStringList({"DocStructure"}));
    ASSERT_EQ(prompts.messages.size(), 1);
    ASSERT_EQ(doc.textsAtSave, QList<QByteArray>({"Hello"})) << "saved before anything was written";
    const QByteArray text = doc.text();
    EXPECT_TRUE(text.startsWith("<!DOCTYPE html PUBLIC \"-//IETF//DTD HTML 3.2//EN\">\r\n<HTML>\r\n")) << text.data();
    EXPECT_TRUE(text.contains("\r\n<BODY\r\n BACKGROUND=\"img/bg.gif\"\r\n TEXT=\"FFFFFF\"\r\n>\r\nHello\r\n"))
        << text.data();
    EXPECT_EQ(doc.editor()->SelText(), "Start writing here");
    EXPECT_EQ(doc.docType(), "<!DOCTYPE html PUBLIC \"-//IETF//DTD HTML 3.2//EN\">");
    doc.undo();
    EXPECT_EQ(doc.text(), "Hello");
}

TEST(Insertalldocumentelements, CancelLeavesTheDocumentUntouched)
{
    ScriptedPrompts prompts;
    FakeDocument doc("Hello");
    doc.setDocType("kept");
    prompts.modals = {[](QDialog *d) {
        child<QLineEdit>(d, "TitleEdit")->setText("T");
        child<QLineEdit>(d, "BGImageEdit")->setText("/abs/bg.gif");
        return int(QDialog::Rejected);
    }};
    Insertalldocumentelements1Click(doc);
    EXPECT_EQ(doc.text(), "Hello");
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(doc.docType(), "kept");
    EXPECT_TRUE(prompts.messages.isEmpty()) << "no relative-path question after Cancel";
}

TEST(BrowserCheck, DocumentStructureBuildsTheIntendedHeadAndBody)
{
    FakeDocument doc("<P>Hello</P>\r\n");
    DocStructureValues v = everyField();
    v.isIndex = false;  // browsers no longer know ISINDEX; in the head it would open the body early
    v.colors[2] = QColor(0, 0, 0xEE);
    v.title = "Caf\xC3\xA9 \"quoted\"";
    v.author = "A \"B\"";
    WriteDocStructure(doc, v);
    const BrowserPage page = LoadInBrowser(doc.text(), QStringLiteral("document.title + '|' + document.compatMode"));
    REQUIRE_BROWSER(page);
    EXPECT_EQ(page.probe, QString::fromUtf8("Caf\xC3\xA9 \"quoted\"|BackCompat"));
    EXPECT_EQ(page.outline,
              QStringLiteral("HTML\n"
                             "  HEAD\n"
                             "    TITLE\n"
                             "    META NAME=\"Author\" CONTENT=\"A \"B\"\"\n"
                             "    META NAME=\"GENERATOR\" CONTENT=\"Tagloom V1.5\"\n"
                             "    BASE HREF=\"h\" TARGET=\"t\"\n"
                             "    META NAME=\"KEYWORDS\" CONTENT=\"k1 k2\"\n"
                             "  BODY BACKGROUND=\"bg.gif\" BGCOLOR=\"FFFFFF\" TEXT=\"000000\" LINK=\"0000EE\"\n"
                             "    P\n"))
        << page.outline.toStdString();
}
