#include "custom/JsWizardDlg.h"

#include "objects/FontsDlg.h"
#include "platform/Settings.h"
#include "support/ScriptedPrompts.h"
#include "support/DialogTestUtil.h"
#include "support/FakeDocument.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSlider>
#include <QStackedWidget>
#include <gtest/gtest.h>

namespace {

const QString hostile = QString::fromUtf8("It's \"q\" \\ </script> ~ TL%1 ü€");

// Entries that show where each parameter lands, so the tests see the wizard's
// parameter texts in place.
const char testEntries[] = "Tagloom JS Entry #0\r\n<S>lm()</S>\r\n"
                           "Tagloom JS Entry #1\r\n<S>sb(\"TL%1\",\"TL%2\",\"TL%3\")</S>\r\n"
                           "Tagloom JS Entry #2\r\n<S>fade(TL%1,TL%2,TL%3,TL%4,TL%5,TL%6,TL%7)</S>\r\n"
                           "Tagloom JS Entry #3\r\nx\r\nTagloom JS Entry #4\r\ny\r\n"
                           "Tagloom JS Entry #5\r\n<S>tfHead()</S>\r\n"
                           "Tagloom JS Entry #6\r\n<S>tf(TL%1,TL%2,TL%3,TL%4,TL%5,TL%6,\"TL%7\")</S>\r\n";

class JsWizardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FontChoice() = FontChoiceValues();
        writeEntries(testEntries);
    }
    void TearDown() override
    {
        QFile::remove(JavaScriptFileName());
        FontChoice() = FontChoiceValues();
    }
    static void writeEntries(const QByteArray &bytes)
    {
        QFile file(JavaScriptFileName());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
};

// A document given with "|" as the caret, or "[...]" as the selection.
FakeDocument *makeDocument(const QByteArray &marked)
{
    QByteArray text = marked;
    const qsizetype open = text.indexOf('[');
    const qsizetype caret = open >= 0 ? open : text.indexOf('|');
    int length = 0;
    if (open >= 0) {
        const qsizetype close = text.indexOf(']');
        length = int(close - open - 1);
        text.remove(close, 1);
    }
    text.remove(caret, 1);
    auto *doc = new FakeDocument(text);
    doc->select(int(caret), length);
    return doc;
}

// The document's text with "|" at the caret.
QByteArray withCaret(const FakeDocument &doc)
{
    QByteArray text = doc.text();
    return text.insert(doc.editor()->SelStart(), '|');
}

JsWizardValues scriptValues(JsWizardScript script)
{
    JsWizardValues v;
    v.script = script;
    v.align = QStringLiteral("Center");
    v.scrollText = hostile;
    v.formName = QStringLiteral("OrderForm");
    v.submitName = QStringLiteral("Send");
    v.fadeFrom = {255, 0, 0};
    v.fadeTo = {0, 0, 255};
    v.speed = 17;
    v.textFrom = {0, 128, 0};
    v.textTo = {255, 255, 255};
    v.fadeText = hostile;
    return v;
}

TEST_F(JsWizardTest, EachScriptIsWrittenAsOneUndoStep)
{
    FontChoice() = {QStringLiteral("Arial"), QStringLiteral("12"), QString(), QStringLiteral("b")};
    const QByteArray hostileScript = R"(It\'s \"q\" \\ <\/script> \u007E TL%1 )";
    const QByteArray fadeHead = "\r\n<S>tfHead()</S>\r\n\r\n";
    const struct
    {
        JsWizardScript script;
        const char *document;
        QByteArray expected;
        bool latin1 = false;
    } cases[] = {
        // The font goes around the selection and the script after it, as the font tags then the script tags.
        {JsWizardScript::LastModified, "a|b",
         "a<FONT FACE=\"Arial\" SIZE=3><B><DIV ALIGN=\"Center\"><S>lm()</S>\r\n|</DIV></B></FONT>b"},
        {JsWizardScript::LastModified, "a[sel]b",
         "a<FONT FACE=\"Arial\" SIZE=3><B>sel</B></FONT><DIV ALIGN=\"Center\"><S>lm()</S>\r\n|</DIV>b"},
        {JsWizardScript::ScrollingButton, "a[old]b",
         "a<S>sb(\"" + hostileScript + "\xc3\xbc\xe2\x82\xac\",\"OrderForm\",\"Send\")</S>\r\n|b"},
        // In a single-byte document ü is one byte and € a script escape, never a character reference.
        {JsWizardScript::ScrollingButton, "caf\xe9|",
         "caf\xe9<S>sb(\"" + hostileScript + "\xfc\\u20AC\",\"OrderForm\",\"Send\")</S>\r\n|", true},
        {JsWizardScript::Fade, "<body>|</body>", "<body><S>fade(255,0,0,0,0,255,17)</S>\r\n|</body>"},
        {JsWizardScript::TextFade, "<HTML><HEAD>\r\n<TITLE>t</TITLE></HEAD><BODY>|</BODY>",
         "<HTML><HEAD>\r\n" + fadeHead + "<TITLE>t</TITLE></HEAD><BODY><S>tf(0,128,0,255,255,255,\"" + hostileScript
             + "\xc3\xbc\xe2\x82\xac\")</S>\r\n|</BODY>"},
        // With the caret in front of a byte-order mark, everything goes after the mark.
        {JsWizardScript::TextFade, "|\xEF\xBB\xBFtext",
         "\xEF\xBB\xBF" + fadeHead + "<S>tf(0,128,0,255,255,255,\"" + hostileScript
             + "\xc3\xbc\xe2\x82\xac\")</S>\r\n|text"},
        {JsWizardScript::Fade, "|\xEF\xBB\xBFtext", "\xEF\xBB\xBF<S>fade(255,0,0,0,0,255,17)</S>\r\n|text"},
        // The selection stays: Text Fade writes at its start.
        {JsWizardScript::TextFade, "<head>\r\n</head>[keep]",
         "<head>\r\n" + fadeHead + "</head><S>tf(0,128,0,255,255,255,\"" + hostileScript
             + "\xc3\xbc\xe2\x82\xac\")</S>\r\n|keep"},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        std::unique_ptr<FakeDocument> doc(makeDocument(c.document));
        ASSERT_EQ(doc->editor()->isUtf8Document(), !c.latin1) << c.document;
        const QByteArray before = doc->text();
        InsertJsWizardScript(*doc, scriptValues(c.script));
        EXPECT_EQ(withCaret(*doc), c.expected) << c.document;
        EXPECT_TRUE(prompts.messages.isEmpty());
        doc->undo();
        EXPECT_EQ(doc->text(), before) << c.document;
        EXPECT_FALSE(doc->canUndo()) << c.document;
    }
}

TEST_F(JsWizardTest, TextFadeTwiceWritesTheHeadPartOnce)
{
    ScriptedPrompts prompts;
    std::unique_ptr<FakeDocument> doc(makeDocument("<head>\r\n</head>\r\n<body>\r\n|\r\n</body>"));
    JsWizardValues v = scriptValues(JsWizardScript::TextFade);
    v.fadeText = QStringLiteral("one");
    InsertJsWizardScript(*doc, v);
    v.fadeText = QStringLiteral("two");
    InsertJsWizardScript(*doc, v);
    EXPECT_EQ(withCaret(*doc), "<head>\r\n\r\n<S>tfHead()</S>\r\n\r\n</head>\r\n<body>\r\n"
                               "<S>tf(0,128,0,255,255,255,\"one\")</S>\r\n<S>tf(0,128,0,255,255,255,\"two\")</S>\r\n|"
                               "\r\n</body>");
}

TEST_F(JsWizardTest, AMissingFileOrEntryWritesNothing)
{
    const struct
    {
        const char *entries;  // nullptr: no file
        JsWizardScript script;
        int messages;
    } cases[] = {
        {nullptr, JsWizardScript::LastModified, 1},
        {nullptr, JsWizardScript::ScrollingButton, 1},
        {nullptr, JsWizardScript::Fade, 1},
        // The first missing entry stops Text Fade, so the message comes once.
        {nullptr, JsWizardScript::TextFade, 1},
        {"Tagloom JS Entry #1\r\nx\r\n", JsWizardScript::LastModified, 0},
        {"Tagloom JS Entry #0\r\nx\r\n", JsWizardScript::ScrollingButton, 0},
        {"Tagloom JS Entry #0\r\nx\r\n", JsWizardScript::Fade, 0},
        // Head part there, body part missing: not even the head part is written.
        {"Tagloom JS Entry #5\r\nh\r\n", JsWizardScript::TextFade, 0},
        {"Tagloom JS Entry #6\r\nb\r\n", JsWizardScript::TextFade, 0},
    };
    for (const auto &c : cases) {
        if (c.entries)
            writeEntries(c.entries);
        else
            QFile::remove(JavaScriptFileName());
        ScriptedPrompts prompts;
        for (int i = 0; i < c.messages; ++i)
            prompts.answers.append(QMessageBox::Ok);
        FakeDocument doc("<head>\r\n</head>[sel]");
        doc.select(15, 3);
        InsertJsWizardScript(doc, scriptValues(c.script));
        EXPECT_EQ(doc.text(), "<head>\r\n</head>[sel]") << int(c.script);
        EXPECT_FALSE(doc.isModified()) << int(c.script);
        ASSERT_EQ(prompts.messages.size(), c.messages) << int(c.script);
        if (c.messages) {
            EXPECT_EQ(prompts.messages.front().text, JavaScriptFileName() + "\r\nnot found");
        }
    }
}

// Runs the wizard on the document; the script works the dialog and gives its result.
void runWizard(FakeDocument &doc, ScriptedPrompts &prompts, std::function<int(QDialog *)> script)
{
    prompts.modals.prepend(std::move(script));
    Javascripts1Click(doc);
    EXPECT_EQ(prompts.modalNames.value(0), "jsWiz");
}

QStringList itemsOf(QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

struct ButtonState
{
    int page;
    bool back, next, finish;
    bool operator==(const ButtonState &) const = default;
};

ButtonState state(QDialog *d)
{
    return {d->findChild<QStackedWidget *>("pages")->currentIndex(), d->findChild<QWidget *>("BackBtn")->isEnabled(),
            d->findChild<QWidget *>("NextBtn")->isEnabled(), d->findChild<QWidget *>("FinishBtn")->isEnabled()};
}

TEST_F(JsWizardTest, StartsOnTheListWithTheFirstScriptDescribed)
{
    FakeDocument doc;
    TjsWiz wizard(doc);
    EXPECT_EQ(wizard.windowTitle(), "Javascript Wizard");
    auto *items = wizard.findChild<QListWidget *>("idx_items");
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->count(), 4);
    EXPECT_EQ(items->currentItem()->text(), "Last modified");
    EXPECT_EQ(state(&wizard), (ButtonState{0, false, true, false}));
    EXPECT_TRUE(wizard.findChild<QPushButton *>("NextBtn")->isDefault());
    auto *description = wizard.findChild<QPlainTextEdit *>("idx_itemdes");
    EXPECT_TRUE(description->isReadOnly());
    const QStringList descriptions = JsWizardDescriptions();
    EXPECT_EQ(description->toPlainText(), descriptions.at(0));
    for (int row : {3, 1, 2, 0}) {
        items->setCurrentRow(row);
        EXPECT_EQ(description->toPlainText(), descriptions.at(row)) << row;
    }
    auto *speed = wizard.findChild<QSlider *>("p2_speed");
    auto *speedLabel = wizard.findChild<QLabel *>("p2_speedL");
    EXPECT_EQ(speed->value(), 2);
    EXPECT_EQ(speedLabel->text(), "2");
    speed->setValue(200);
    EXPECT_EQ(speedLabel->text(), "200");
    EXPECT_EQ(speed->minimum(), 2);
    EXPECT_EQ(speed->maximum(), 255);
    EXPECT_EQ(speed->pageStep(), 10);
}

TEST_F(JsWizardTest, NextAndBackWalkBetweenTheListAndTheChosenScriptsPage)
{
    FakeDocument doc;
    TjsWiz wizard(doc);
    auto *items = wizard.findChild<QListWidget *>("idx_items");
    for (int row = 0; row < 4; ++row) {
        items->setCurrentRow(row);
        click(&wizard, "NextBtn");
        EXPECT_EQ(state(&wizard), (ButtonState{row + 1, true, false, true})) << row;
        click(&wizard, "BackBtn");
        EXPECT_EQ(state(&wizard), (ButtonState{0, false, true, false})) << row;
    }
    // With nothing selected Next does nothing.
    items->clearSelection();
    click(&wizard, "NextBtn");
    EXPECT_EQ(state(&wizard), (ButtonState{0, false, true, false}));
}

TEST_F(JsWizardTest, FormNamesAreOfferedOnceWithTheirCaseAndTypedTextStays)
{
    FakeDocument doc("<form name=\"OrderForm\"></form><FORM NAME=\"search\" ACTION=\"x\"></FORM><form></form>");
    TjsWiz wizard(doc);
    auto *formName = wizard.findChild<QComboBox *>("p1_formName");
    EXPECT_TRUE(formName->isEditable());
    EXPECT_EQ(formName->count(), 0);
    wizard.findChild<QListWidget *>("idx_items")->setCurrentRow(1);
    click(&wizard, "NextBtn");
    EXPECT_EQ(itemsOf(formName), QStringList({"OrderForm", "search"}));
    EXPECT_EQ(formName->currentText(), "");
    formName->setEditText("typed");
    click(&wizard, "BackBtn");
    click(&wizard, "NextBtn");
    EXPECT_EQ(itemsOf(formName), QStringList({"OrderForm", "search"}));
    EXPECT_EQ(formName->currentText(), "typed");
}

TEST_F(JsWizardTest, FinishWritesTheChosenScriptAndCancelNothing)
{
    const struct
    {
        int row;
        QList<Fill> fills;
        const char *formName;
        bool finish;
        QByteArray expected;
    } cases[] = {
        {0, {}, nullptr, true, "<FONT><S>lm()</S>\r\n|</FONT>x"},
        {1,
         {{"p1_text", "Go ~ on"}, {"p1_submitName", "Send"}},
         "OrderForm",
         true,
         "<S>sb(\"Go \\u007E on\",\"OrderForm\",\"Send\")</S>\r\n|x"},
        {2,
         {{"p2_fromColor", "#102030"}, {"p2_toColor", "#000000"}},
         nullptr,
         true,
         "<S>fade(16,32,48,0,0,0,2)</S>\r\n|x"},
        {3,
         {{"p3_fromColor", "#FF0000"}, {"p3_text", "Hi"}},
         nullptr,
         true,
         "\r\n<S>tfHead()</S>\r\n\r\n<S>tf(255,0,0,255,255,255,\"Hi\")</S>\r\n|x"},
        {3, {{"p3_text", "Hi"}}, nullptr, false, "|x"},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        FakeDocument doc("x");
        runWizard(doc, prompts, [&c](QDialog *d) {
            d->findChild<QListWidget *>("idx_items")->setCurrentRow(c.row);
            click(d, "NextBtn");
            fillDialog(d, c.fills);
            if (c.formName)
                d->findChild<QComboBox *>("p1_formName")->setEditText(QString::fromLatin1(c.formName));
            click(d, c.finish ? "FinishBtn" : "CancelBtn");
            return d->result();
        });
        EXPECT_EQ(withCaret(doc), c.expected) << c.row;
        EXPECT_EQ(doc.isModified(), c.finish) << c.row;
    }
}

TEST_F(JsWizardTest, ChooseFontSetsTheFontOfLastModified)
{
    ScriptedPrompts prompts;
    prompts.modals = {[](QDialog *d) {
        EXPECT_EQ(d->objectName(), "fontsDlg");
        auto *size = d->findChild<QComboBox *>("size");
        size->setCurrentIndex(size->findText("24"));
        fillDialog(d, {{"italicChk", "1"}});
        click(d, "okBtn");
        return d->result();
    }};
    FakeDocument doc;
    runWizard(doc, prompts, [](QDialog *d) {
        click(d, "NextBtn");
        auto *align = d->findChild<QComboBox *>("p0_align");
        EXPECT_EQ(itemsOf(align), QStringList({"None", "Left", "Center", "Right"}));
        align->setCurrentIndex(3);
        click(d, "p0_chooseFont");
        click(d, "FinishBtn");
        return d->result();
    });
    EXPECT_EQ(prompts.modalNames, QStringList({"jsWiz", "fontsDlg"}));
    EXPECT_EQ(withCaret(doc), "<FONT SIZE=6><I><DIV ALIGN=\"Right\"><S>lm()</S>\r\n|</DIV></I></FONT>");
}

}  // namespace
