#include "objects/FontsDlg.h"
#include "support/ScriptedPrompts.h"
#include "support/DialogTestUtil.h"
#include "support/FakeDocument.h"

#include <QComboBox>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

class FontsDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The offscreen platform knows few fonts; these stand for the screen fonts.
        OverrideScreenFontNames(QStringList{"Zeta Sans", "Courier [Adobe]", "Arial", "bitstream Vera", "Arial",
                                            "Courier [urw]", "DejaVu Serif"});
        FontChoice() = FontChoiceValues();
    }
    void TearDown() override
    {
        OverrideScreenFontNames(std::nullopt);
        FontChoice() = FontChoiceValues();
    }
};

QComboBox *combo(QDialog *d, const char *name)
{
    auto *box = d->findChild<QComboBox *>(QLatin1String(name));
    EXPECT_NE(box, nullptr) << name;
    return box;
}

// What the user does in the dialog: pick a list item by its text or type into the field.
struct Pick
{
    QString face;  // item text to select
    QString size;
    QString typedFace;  // typed after picking
    QString typedSize;
    QList<Fill> fills;
};

std::function<int(QDialog *)> pickAndOk(const Pick &p)
{
    return [p](QDialog *d) {
        QComboBox *face = combo(d, "fontsCombo");
        QComboBox *size = combo(d, "size");
        if (!p.face.isEmpty())
            face->setCurrentIndex(face->findText(p.face));
        if (!p.size.isEmpty())
            size->setCurrentIndex(size->findText(p.size));
        if (!p.typedFace.isEmpty())
            face->setEditText(p.typedFace);
        if (!p.typedSize.isEmpty())
            size->setEditText(p.typedSize);
        fillDialog(d, p.fills);
        click(d, "okBtn");
        return d->result();
    };
}

}  // namespace

TEST_F(FontsDlgTest, ListsDontDefineFirstThenTheSortedFonts)
{
    TfontsDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "Font");
    EXPECT_FALSE(dlg.windowFlags() & Qt::WindowCloseButtonHint);
    QComboBox *faces = combo(&dlg, "fontsCombo");
    QStringList items;
    for (int i = 0; i < faces->count(); ++i)
        items.append(faces->itemText(i));
    EXPECT_EQ(items, QStringList({"Don't define", "Arial", "bitstream Vera", "Courier", "DejaVu Serif", "Zeta Sans"}));
    EXPECT_EQ(faces->currentText(), "Don't define");
    QComboBox *sizes = combo(&dlg, "size");
    EXPECT_EQ(sizes->count(), 14);
    EXPECT_EQ(sizes->currentText(), "Don't define");
    EXPECT_FALSE(dlg.findChild<QWidget *>("colorBtn")->isEnabled());
    EXPECT_EQ(dlg.choice(), FontChoiceValues());
}

TEST_F(FontsDlgTest, ChooseFontWritesTheChoice)
{
    const QList<Fill> redBoldItalic = {
        {"colorChk", "1"}, {"colorBtn", "#FF0000"}, {"boldChk", "1"}, {"italicChk", "1"}};
    const struct
    {
        Pick pick;
        bool selectWord;
        FontChoiceValues choice;
        const char *expected;  // "|" marks the caret
    } cases[] = {
        {{"Arial", "12", {}, {}, redBoldItalic},
         false,
         {"Arial", "12", "FF0000", "bi"},
         "<FONT FACE=\"Arial\" SIZE=3 COLOR=#FF0000><B><I>|</I></B></FONT>"},
        {{"Arial", "12", {}, {}, redBoldItalic},
         true,
         {"Arial", "12", "FF0000", "bi"},
         "<FONT FACE=\"Arial\" SIZE=3 COLOR=#FF0000><B><I>word</I></B></FONT>|"},
        {{}, false, {}, "<FONT>|</FONT>"},
        // A face looked at and then "Don't define" again: no FACE.
        {{"Courier", {}, "Don't define", {}, {}}, false, {}, "<FONT>|</FONT>"},
        // Typed texts count.
        {{{}, {}, "My Own Font", "+1", {{"underlineChk", "1"}, {"strikeChk", "1"}}},
         false,
         {"My Own Font", "+1", "", "us"},
         "<FONT FACE=\"My Own Font\" SIZE=+1><U><STRIKE>|</STRIKE></U></FONT>"},
        {{"Zeta Sans", {}, {}, "5", {}}, false, {"Zeta Sans", "5", "", ""}, "<FONT FACE=\"Zeta Sans\" SIZE=5>|</FONT>"},
        {{{}, "72", {}, {}, {{"colorChk", "1"}}},
         false,
         {"", "72", "FFFFFF", ""},
         "<FONT SIZE=7 COLOR=#FFFFFF>|</FONT>"},
        // A colour left on an unchecked box is not defined.
        {{{}, {}, {}, {}, {{"colorBtn", "#00FF00"}}}, false, {}, "<FONT>|</FONT>"},
    };
    for (const auto &c : cases) {
        ScriptedPrompts prompts;
        FakeDocument doc("word");
        doc.select(0, c.selectWord ? 4 : 0);
        prompts.modals = {pickAndOk(c.pick)};
        ChooseFont1Click(doc);
        EXPECT_EQ(prompts.modalNames, QStringList{"fontsDlg"});
        EXPECT_EQ(FontChoice().FaceName, c.choice.FaceName) << c.expected;
        EXPECT_EQ(FontChoice().SizeText, c.choice.SizeText) << c.expected;
        EXPECT_EQ(FontChoice().ColorHex, c.choice.ColorHex) << c.expected;
        EXPECT_EQ(FontChoice().StyleLetters, c.choice.StyleLetters) << c.expected;
        const QByteArray expected(c.expected);
        const int caret = int(expected.indexOf('|'));
        QByteArray text = expected;
        text.remove(caret, 1);
        if (!c.selectWord)
            text += "word";
        EXPECT_EQ(doc.text(), text);
        EXPECT_EQ(doc.editor()->SelStart(), caret) << c.expected;
    }
}

TEST_F(FontsDlgTest, CancelKeepsTheLastChoiceAndWritesNothing)
{
    ScriptedPrompts prompts;
    FakeDocument doc("x");
    prompts.modals = {pickAndOk({"Courier", "10", {}, {}, {{"boldChk", "1"}}}), [](QDialog *d) {
                          combo(d, "fontsCombo")->setCurrentIndex(1);
                          fillDialog(d, {{"italicChk", "1"}});
                          click(d, "cancelBtn");
                          return d->result();
                      }};
    EXPECT_TRUE(ChooseFontDialog());
    const FontChoiceValues accepted{"Courier", "10", "", "b"};
    EXPECT_EQ(FontChoice(), accepted);
    ChooseFont1Click(doc);
    EXPECT_EQ(FontChoice(), accepted);
    EXPECT_EQ(doc.text(), "x");
    EXPECT_FALSE(doc.isModified());
}

TEST_F(FontsDlgTest, SampleFollowsTheChoice)
{
    TfontsDlg dlg;
    QLabel *sample = dlg.sample();
    EXPECT_EQ(sample->text(), "Sample text 1234567890");
    combo(&dlg, "fontsCombo")->setCurrentIndex(combo(&dlg, "fontsCombo")->findText("Courier"));
    combo(&dlg, "size")->setCurrentIndex(combo(&dlg, "size")->findText("24"));
    fillDialog(&dlg, {{"boldChk", "1"}, {"strikeChk", "1"}, {"colorChk", "1"}, {"colorBtn", "#0000FF"}});
    EXPECT_EQ(sample->font().family(), "Courier");
    EXPECT_EQ(sample->font().pointSize(), 24);
    EXPECT_TRUE(sample->font().bold());
    EXPECT_TRUE(sample->font().strikeOut());
    EXPECT_FALSE(sample->font().italic());
    EXPECT_EQ(sample->palette().color(QPalette::WindowText), QColor(Qt::blue));
    // "Don't define" and an HTML size leave the sample as it was; a cleared colour box shows black.
    combo(&dlg, "fontsCombo")->setCurrentIndex(0);
    combo(&dlg, "size")->setEditText("+2");
    fillDialog(&dlg, {{"boldChk", "0"}, {"colorChk", "0"}});
    EXPECT_EQ(sample->font().family(), "Courier");
    EXPECT_EQ(sample->font().pointSize(), 24);
    EXPECT_FALSE(sample->font().bold());
    EXPECT_EQ(sample->palette().color(QPalette::WindowText), QColor(Qt::black));
}
