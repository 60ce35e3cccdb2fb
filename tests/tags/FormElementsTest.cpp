#include "support/FakeDocument.h"
#include "support/HeadlessBrowser.h"
#include "support/ScriptedPrompts.h"
#include "tags/FormElementsDlg.h"
#include "tags/FormFrameCommands.h"
#include "tags/UrlPicker.h"
#include "widgets/NumberEdit.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QGroupBox>
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

using Fill = std::function<void(QDialog *)>;

// Runs the command of a menu item on doc with the dialog filled by fill and accepted.
void run(FakeDocument &doc, const char *item, const Fill &fill)
{
    ScriptedPrompts prompts;
    prompts.modals = {[&fill](QDialog *d) {
        fill(d);
        return int(QDialog::Accepted);
    }};
    const auto &commands = FormFrameCommands();
    const auto it = std::find_if(commands.begin(), commands.end(),
                                 [item](const TagCommand &c) { return c.itemName == QLatin1String(item); });
    ASSERT_NE(it, commands.end()) << item;
    it->run(doc);
    EXPECT_EQ(prompts.modalNames, QStringList({"FormElementsDlg"})) << item;
}

// Saving records the text the document held at that moment.
class SaveRecordingDocument : public FakeDocument
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

TEST(FormMarkup, EveryElementWritesEveryAttributeItKnows)
{
    const NameValueList all = {{"name", "n"},        {"value", "v"},      {"method", "POST"}, {"action", "/a"},
                               {"border", "2"},      {"src", "b\\c.gif"}, {"align", "TOP"},   {"size", "8"},
                               {"maxlength", "16"},  {"rows", "4"},       {"cols", "40"},     {"wrap", "VIRTUAL"},
                               {"multiple", "true"}, {"selected", "true"}};
    const struct
    {
        FormElement element;
        NameValueList values;
        const char *start;
        const char *end;
    } cases[] = {
        {FormElement::Form, all, "<FORM NAME=\"n\" METHOD=\"POST\" ACTION=\"/a\">\r\n", "\r\n</FORM>"},
        {FormElement::Form, {}, "<FORM NAME=\"\" METHOD=\"\" ACTION=\"\">\r\n", "\r\n</FORM>"},
        {FormElement::CheckBox, all, "<INPUT TYPE=CHECKBOX NAME=\"n\" VALUE=\"v\">", ""},
        {FormElement::Hidden, all, "<INPUT TYPE=HIDDEN NAME=\"n\" VALUE=\"v\">", ""},
        {FormElement::Image, all, "<INPUT TYPE=IMAGE BORDER=2 NAME=\"n\" SRC=\"b\\c.gif\" ALIGN=TOP>", ""},
        {FormElement::Password, all, "<INPUT TYPE=PASSWORD NAME=\"n\" SIZE=\"8\" MAXLENGTH=\"16\">", ""},
        {FormElement::Radio, {}, "<INPUT TYPE=RADIO NAME=\"\" VALUE=\"\">", ""},
        {FormElement::Reset, all, "<INPUT TYPE=RESET NAME=\"n\" VALUE=\"v\">", ""},
        {FormElement::Submit, all, "<INPUT TYPE=SUBMIT NAME=\"n\" VALUE=\"v\">", ""},
        {FormElement::Text, all, "<INPUT TYPE=TEXT NAME=\"n\" SIZE=\"8\" MAXLENGTH=\"16\" VALUE=\"v\">", ""},
        {FormElement::TextAreaInput, all, "<INPUT TYPE=TEXTAREA NAME=\"n\" SIZE=\"8\" MAXLENGTH=\"16\" VALUE=\"v\">",
         ""},
        {FormElement::TextAreaElement, all, "<TEXTAREA NAME=\"n\" ROWS=4 COLS=40 WRAP=VIRTUAL>\r\n\r\n</TEXTAREA>", ""},
        {FormElement::Select, all, "<SELECT NAME=\"n\" SIZE=8 MULTIPLE>\r\n", "\r\n</SELECT>"},
        {FormElement::Select,
         {{"name", "s"}, {"size", "1"}, {"multiple", "false"}},
         "<SELECT NAME=\"s\" SIZE=1>\r\n",
         "\r\n</SELECT>"},
        {FormElement::Option, all, "<OPTION SELECTED>", ""},
        {FormElement::Option, {{"selected", ""}}, "<OPTION>", ""},
        // Typed values cannot close their quotes or split the tag.
        {FormElement::Hidden,
         {{"name", "a\"b"}, {"value", "x\r\ny\nz"}},
         "<INPUT TYPE=HIDDEN NAME=\"a&quot;b\" VALUE=\"x y z\">",
         ""},
        {FormElement::Form,
         {{"action", "/cgi?a=1&amp;b=\"2\""}},
         "<FORM NAME=\"\" METHOD=\"\" ACTION=\"/cgi?a=1&amp;b=&quot;2&quot;\">\r\n",
         "\r\n</FORM>"},
    };
    for (const auto &c : cases) {
        const FormMarkupText text = FormElementMarkup(c.element, c.values);
        EXPECT_EQ(text.start, QString::fromLatin1(c.start));
        EXPECT_EQ(text.end, QString::fromLatin1(c.end)) << c.start;
    }
}

TEST(FormElementsDlg, ShowsOnlyItsPageAndTheFieldsItsElementWrites)
{
    SetUrlPicker({});
    const struct
    {
        FormElement element;
        const char *sheet;
        bool name, value;
        const char *tab;
    } cases[] = {
        {FormElement::Form, "FormSheet", true, false, "Form"},
        {FormElement::CheckBox, "CheckBoxSheet", true, false, "Check Box"},
        {FormElement::Hidden, "HiddenSheet", true, true, "Hidden"},
        {FormElement::Image, "ImageSheet", true, false, "Image"},
        {FormElement::Password, "PasswordSheet", true, false, "Password"},
        {FormElement::Radio, "RadioSheet", true, false, "Radio"},
        {FormElement::Reset, "ResetSubmitSheet", true, true, "Reset"},
        {FormElement::Submit, "ResetSubmitSheet", true, true, "Submit"},
        {FormElement::Text, "TextSheet", true, true, "Text Box"},
        {FormElement::TextAreaInput, "TextAreaSheet", true, true, "Text Area"},
        {FormElement::TextAreaElement, "TextArea2Sheet", true, false, "Text Area Element"},
        {FormElement::Select, "SelectSheet", true, false, "Select List"},
        {FormElement::Option, "OptionSheet", false, false, "Select List Item"},
    };
    for (const auto &c : cases) {
        TFormElementsDlg dlg(c.element);
        EXPECT_EQ(dlg.windowTitle(), "Form elements dialog");
        QTabWidget *pages = dlg.pages();
        ASSERT_EQ(pages->count(), 12);
        EXPECT_EQ(pages->currentWidget()->objectName(), c.sheet);
        EXPECT_EQ(pages->tabText(pages->currentIndex()), c.tab);
        for (int i = 0; i < pages->count(); ++i)
            EXPECT_EQ(pages->isTabVisible(i), i == pages->currentIndex()) << c.sheet << " " << i;
        // The shared fields sit on the page shown, above its own controls.
        auto *nameGroup = child<QGroupBox>(&dlg, "NameGroup");
        EXPECT_EQ(nameGroup->parentWidget(), pages->currentWidget()) << c.sheet;
        EXPECT_EQ(nameGroup->isVisibleTo(&dlg), c.name) << c.sheet;
        EXPECT_EQ(child<QGroupBox>(&dlg, "ValueGroup")->isVisibleTo(&dlg), c.value) << c.sheet;
        EXPECT_EQ(nameGroup->title(), "&Name");
        // What a field the element does not write would hold never reaches the markup.
        type(&dlg, "NameEdit", "typedName");
        type(&dlg, "ValueEdit", "typedValue");
        const NameValueList v = dlg.values();
        EXPECT_EQ(v.value("name") == "typedName", c.name) << c.sheet;
        EXPECT_EQ(v.value("value") == "typedValue", c.value) << c.sheet;
    }
}

TEST(FormElementsDlg, NumberFieldsStayWithinOneTo999)
{
    const struct
    {
        FormElement element;
        const char *field;
        const char *valueName;
    } fields[] = {
        {FormElement::Password, "Password_SizeEdit", "size"},
        {FormElement::Password, "Password_MaxlengthEdit", "maxlength"},
        {FormElement::Text, "Text_SizeEdit", "size"},
        {FormElement::Text, "Text_MaxLengthEdit", "maxlength"},
        {FormElement::TextAreaInput, "TextArea_SizeEdit", "size"},
        {FormElement::TextAreaInput, "TextArea_MaxLengthEdit", "maxlength"},
        {FormElement::TextAreaElement, "TextArea2_RowsEdit", "rows"},
        {FormElement::TextAreaElement, "TextArea2_ColsEdit", "cols"},
        {FormElement::Select, "Select_SizeEdit", "size"},
    };
    const struct
    {
        const char *typed;
        const char *written;
    } numbers[] = {{nullptr, "1"}, {"8", "8"},  {"999", "999"}, {"1000", "999"}, {"123456789", "999"},
                   {"0", "1"},     {"-4", "1"}, {"", "1"},      {"abc", "1"}};
    for (const auto &f : fields) {
        for (const auto &n : numbers) {
            TFormElementsDlg dlg(f.element);
            if (n.typed)
                type(&dlg, f.field, n.typed);
            EXPECT_EQ(dlg.values().value(QLatin1String(f.valueName)), n.written)
                << f.field << " " << (n.typed ? n.typed : "(default)");
        }
    }
    TFormElementsDlg image(FormElement::Image);
    EXPECT_EQ(image.values().value("border"), "0");
    type(&image, "image_borderEdit", "12");
    EXPECT_EQ(image.values().value("border"), "12");
}

TEST(FormCommands, WriteTheirElementAtTheCaretOrAroundTheSelection)
{
    const struct
    {
        const char *item;
        Fill fill;
        const char *selected;  // the document's text, all selected; nullptr: empty document
        const char *expected;  // "|" marks where the caret ends
    } cases[] = {
        {"Form2",
         [](QDialog *d) {
             type(d, "NameEdit", "f");
             choose(d, "Form_MethodGroup", 1);
             type(d, "Form_ActionEdit", "/cgi-bin/x");
         },
         nullptr, "<FORM NAME=\"f\" METHOD=\"POST\" ACTION=\"/cgi-bin/x\">\r\n|\r\n</FORM>"},
        {"Form2", [](QDialog *) {}, "body", "<FORM NAME=\"\" METHOD=\"GET\" ACTION=\"\">\r\nbody\r\n</FORM>|"},
        {"CheckBox1", [](QDialog *d) { choose(d, "CheckBox_ValueGroup", 1); }, nullptr,
         "<INPUT TYPE=CHECKBOX NAME=\"\" VALUE=\"OFF\">|"},
        {"CheckBox1", [](QDialog *d) { type(d, "NameEdit", "c"); }, nullptr,
         "<INPUT TYPE=CHECKBOX NAME=\"c\" VALUE=\"ON\">|"},
        {"Hidden1",
         [](QDialog *d) {
             type(d, "NameEdit", "h");
             type(d, "ValueEdit", "42");
         },
         nullptr, "<INPUT TYPE=HIDDEN NAME=\"h\" VALUE=\"42\">|"},
        {"Image2", [](QDialog *d) { type(d, "Image_SRCEdit", "pics\\go.gif"); }, nullptr,
         "<INPUT TYPE=IMAGE BORDER=0 NAME=\"\" SRC=\"pics\\go.gif\" ALIGN=LEFT>|"},
        {"Image2",
         [](QDialog *d) {
             type(d, "NameEdit", "go");
             choose(d, "Image_AlignGroup", 8);
             type(d, "image_borderEdit", "3");
         },
         nullptr, "<INPUT TYPE=IMAGE BORDER=3 NAME=\"go\" SRC=\"\" ALIGN=ABSBOTTOM>|"},
        {"Password1",
         [](QDialog *d) {
             type(d, "NameEdit", "p");
             type(d, "Password_SizeEdit", "8");
             type(d, "Password_MaxlengthEdit", "16");
         },
         nullptr, "<INPUT TYPE=PASSWORD NAME=\"p\" SIZE=\"8\" MAXLENGTH=\"16\">|"},
        {"Radio1", [](QDialog *d) { type(d, "NameEdit", "r"); }, nullptr,
         "<INPUT TYPE=RADIO NAME=\"r\" VALUE=\"TRUE\">|"},
        {"Radio1", [](QDialog *d) { choose(d, "Radio_ValueGroup", 1); }, nullptr,
         "<INPUT TYPE=RADIO NAME=\"\" VALUE=\"FALSE\">|"},
        {"Reset1", [](QDialog *d) { type(d, "ValueEdit", "Clear"); }, nullptr,
         "<INPUT TYPE=RESET NAME=\"\" VALUE=\"Clear\">|"},
        {"Submit1", [](QDialog *d) { type(d, "ValueEdit", "Send"); }, "x",
         "<INPUT TYPE=SUBMIT NAME=\"\" VALUE=\"Send\">x|"},
        {"TextBox1",
         [](QDialog *d) {
             type(d, "NameEdit", "t");
             type(d, "Text_SizeEdit", "20");
             type(d, "Text_MaxLengthEdit", "80");
             type(d, "ValueEdit", "hi");
         },
         nullptr, "<INPUT TYPE=TEXT NAME=\"t\" SIZE=\"20\" MAXLENGTH=\"80\" VALUE=\"hi\">|"},
        {"TextArea1", [](QDialog *) {}, nullptr,
         "<INPUT TYPE=TEXTAREA NAME=\"\" SIZE=\"1\" MAXLENGTH=\"1\" VALUE=\"\">|"},
        {"TextAreatextareatextarea1",
         [](QDialog *d) {
             type(d, "NameEdit", "t");
             type(d, "TextArea2_RowsEdit", "4");
             type(d, "TextArea2_ColsEdit", "40");
             choose(d, "TextArea2_WrapGroup", 1);
         },
         nullptr, "<TEXTAREA NAME=\"t\" ROWS=4 COLS=40 WRAP=VIRTUAL>\r\n\r\n</TEXTAREA>|"},
        // Written whole: a selection ends up after the element.
        {"TextAreatextareatextarea1", [](QDialog *) {}, "sel",
         "<TEXTAREA NAME=\"\" ROWS=1 COLS=1 WRAP=OFF>\r\n\r\n</TEXTAREA>sel|"},
        {"SelectList1",
         [](QDialog *d) {
             type(d, "NameEdit", "s");
             type(d, "Select_SizeEdit", "3");
             child<QCheckBox>(d, "Select_MultipileChkBox")->click();
         },
         nullptr, "<SELECT NAME=\"s\" SIZE=3 MULTIPLE>\r\n|\r\n</SELECT>"},
        {"SelectList1", [](QDialog *) {}, "items", "<SELECT NAME=\"\" SIZE=1>\r\nitems\r\n</SELECT>|"},
        {"SelectListItem1", [](QDialog *d) { child<QCheckBox>(d, "Option_SelectedChkBox")->click(); }, "Red",
         "<OPTION SELECTED>Red|"},
        {"SelectListItem1", [](QDialog *) {}, nullptr, "<OPTION>|"},
    };
    for (const auto &c : cases) {
        const QByteArray before = c.selected ? QByteArray(c.selected) : QByteArray();
        FakeDocument doc(before);
        doc.select(0, int(before.size()));
        run(doc, c.item, c.fill);
        const QByteArray expected(c.expected);
        EXPECT_EQ(doc.text(), QByteArray(expected).replace('|', "")) << c.item;
        EXPECT_EQ(doc.editor()->SelStart(), expected.indexOf('|')) << c.expected;
        EXPECT_EQ(doc.editor()->SelLength(), 0) << c.expected;
        doc.undo();
        EXPECT_EQ(doc.text(), before) << c.expected << ": one undo step";
    }
}

TEST(FormCommands, CancelWritesNothingAndAsksNothing)
{
    for (const TagCommand &command : FormFrameCommands()) {
        if (command.itemName.startsWith(QLatin1String("Frame")) || command.itemName == QLatin1String("NoFrames1"))
            continue;
        ScriptedPrompts prompts;
        FakeDocument doc("x");
        prompts.modals = {[](QDialog *d) {
            type(d, "NameEdit", "n");
            if (auto *src = d->findChild<QLineEdit *>("Image_SRCEdit"))
                src->setText("/abs/go.gif");
            return int(QDialog::Rejected);
        }};
        command.run(doc);
        EXPECT_EQ(prompts.modalNames, QStringList({"FormElementsDlg"})) << command.itemName.toStdString();
        EXPECT_EQ(doc.text(), "x");
        EXPECT_FALSE(doc.isModified());
        EXPECT_TRUE(prompts.messages.isEmpty());
    }
}

TEST(FormCommands, ImageSourceIsMadeRelativeBeforeAnythingIsWritten)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath("pics/go.gif");
    // A saved document: no question.
    {
        FakeDocument doc("", dir.filePath("index.html"));
        run(doc, "Image2", [&](QDialog *d) { child<QLineEdit>(d, "Image_SRCEdit")->setText(picture); });
        EXPECT_EQ(doc.text(), "<INPUT TYPE=IMAGE BORDER=0 NAME=\"\" SRC=\"pics/go.gif\" ALIGN=LEFT>");
    }
    // Never saved: the question is answered Yes and the document saved first.
    ScriptedPrompts prompts;
    SaveRecordingDocument doc("Before");
    doc.select(6, 0);
    prompts.modals = {[&](QDialog *d) {
        child<QLineEdit>(d, "Image_SRCEdit")->setText(picture);
        return int(QDialog::Accepted);
    }};
    prompts.answers = {QMessageBox::Yes};
    prompts.files = {dir.filePath("page.html")};
    InsertFormElement(doc, FormElement::Image);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(doc.textsAtSave, QList<QByteArray>({"Before"}));
    EXPECT_EQ(doc.text(), "Before<INPUT TYPE=IMAGE BORDER=0 NAME=\"\" SRC=\"pics/go.gif\" ALIGN=LEFT>");
    EXPECT_TRUE(doc.isModified()) << "written after the save";
    doc.undo();
    EXPECT_EQ(doc.text(), "Before");
}

TEST(FormElementsDlg, BrowseAndUrlWizardReplaceTheFieldOnlyWhenSomethingIsChosen)
{
    ScriptedPrompts prompts;
    QList<QString> urls = {QStringLiteral("http://x.org/go.gif"), QString()};
    SetUrlPicker([&urls](QWidget *, QString &url) {
        url = urls.takeFirst();
        return !url.isEmpty();
    });
    TFormElementsDlg image(FormElement::Image);
    TFormElementsDlg form(FormElement::Form);
    auto *src = child<QLineEdit>(&image, "Image_SRCEdit");
    src->setText("typed.gif");
    prompts.files = {QString(), QStringLiteral("/pics/chosen.gif")};
    child<QPushButton>(&image, "SRCButton")->click();
    EXPECT_EQ(src->text(), "typed.gif") << "a cancelled file dialog keeps the field";
    ASSERT_EQ(prompts.fileRequests.size(), 1);
    EXPECT_EQ(prompts.fileRequests[0].filterIndex, 1) << "Pictures";
    child<QPushButton>(&image, "SRCButton")->click();
    EXPECT_EQ(src->text(), "/pics/chosen.gif");
    child<QPushButton>(&image, "SRCButton2")->click();
    EXPECT_EQ(src->text(), "http://x.org/go.gif");
    auto *action = child<QLineEdit>(&form, "Form_ActionEdit");
    action->setText("/typed");
    child<QPushButton>(&form, "Form_ActionURLButton")->click();
    EXPECT_EQ(action->text(), "/typed") << "a cancelled composer keeps the field";
    SetUrlPicker({});
    TFormElementsDlg noPicker(FormElement::Form);
    EXPECT_FALSE(child<QPushButton>(&noPicker, "Form_ActionURLButton")->isEnabled());
}

TEST(BrowserCheck, FormElementsBuildAFormWithEveryControlInside)
{
    const auto markup = [](FormElement element, const NameValueList &v, const QByteArray &inner = {}) {
        const FormMarkupText t = FormElementMarkup(element, v);
        return t.start.toLatin1() + inner + t.end.toLatin1() + "\r\n";
    };
    QByteArray controls;
    controls += markup(FormElement::CheckBox, {{"name", "c"}, {"value", "ON"}});
    controls += markup(FormElement::Hidden, {{"name", "h"}, {"value", "a\"b"}});
    controls += markup(FormElement::Image, {{"name", "i"}, {"border", "0"}, {"src", "go.gif"}, {"align", "MIDDLE"}});
    controls += markup(FormElement::Password, {{"name", "p"}, {"size", "8"}, {"maxlength", "16"}});
    controls += markup(FormElement::Radio, {{"name", "r"}, {"value", "TRUE"}});
    controls += markup(FormElement::Reset, {{"name", "re"}, {"value", "Clear"}});
    controls += markup(FormElement::Submit, {{"name", "su"}, {"value", "Send"}});
    controls += markup(FormElement::Text, {{"name", "t"}, {"size", "20"}, {"maxlength", "80"}, {"value", "v"}});
    controls += markup(FormElement::TextAreaInput, {{"name", "ti"}, {"size", "1"}, {"maxlength", "1"}, {"value", ""}});
    controls += markup(FormElement::TextAreaElement, {{"name", "ta"}, {"rows", "4"}, {"cols", "40"}, {"wrap", "OFF"}});
    controls += markup(FormElement::Select, {{"name", "s"}, {"size", "3"}, {"multiple", "true"}},
                       markup(FormElement::Option, {{"selected", "true"}}, "Red")
                           + markup(FormElement::Option, {}, "Green"));
    const QByteArray page = "<HTML><BODY>\r\n"
                            + markup(FormElement::Form, {{"name", "f"}, {"method", "POST"}, {"action", "/cgi-bin/x"}},
                                     controls)
                            + "</BODY></HTML>";
    const BrowserPage result = LoadInBrowser(
        page, QStringLiteral("document.forms.f.elements.length + '|' + document.forms.f.h.value + '|' + "
                             "document.forms.f.s.selectedIndex"));
    REQUIRE_BROWSER(result);
    EXPECT_TRUE(result.scriptErrors.isEmpty()) << result.scriptErrors.join('\n').toStdString();
    // Ten controls (the image input is not among a form's elements), the quote
    // kept inside its value, the selected option chosen.
    EXPECT_EQ(result.probe, "10|a\"b|0") << result.outline.toStdString();
    EXPECT_EQ(result.outline,
              QStringLiteral("HTML\n  HEAD\n  BODY\n"
                             "    FORM NAME=\"f\" METHOD=\"POST\" ACTION=\"/cgi-bin/x\"\n"
                             "      INPUT TYPE=\"CHECKBOX\" NAME=\"c\" VALUE=\"ON\"\n"
                             "      INPUT TYPE=\"HIDDEN\" NAME=\"h\" VALUE=\"a\"b\"\n"
                             "      INPUT TYPE=\"IMAGE\" BORDER=\"0\" NAME=\"i\" SRC=\"go.gif\" ALIGN=\"MIDDLE\"\n"
                             "      INPUT TYPE=\"PASSWORD\" NAME=\"p\" SIZE=\"8\" MAXLENGTH=\"16\"\n"
                             "      INPUT TYPE=\"RADIO\" NAME=\"r\" VALUE=\"TRUE\"\n"
                             "      INPUT TYPE=\"RESET\" NAME=\"re\" VALUE=\"Clear\"\n"
                             "      INPUT TYPE=\"SUBMIT\" NAME=\"su\" VALUE=\"Send\"\n"
                             "      INPUT TYPE=\"TEXT\" NAME=\"t\" SIZE=\"20\" MAXLENGTH=\"80\" VALUE=\"v\"\n"
                             "      INPUT TYPE=\"TEXTAREA\" NAME=\"ti\" SIZE=\"1\" MAXLENGTH=\"1\" VALUE=\"\"\n"
                             "      TEXTAREA NAME=\"ta\" ROWS=\"4\" COLS=\"40\" WRAP=\"OFF\"\n"
                             "      SELECT NAME=\"s\" SIZE=\"3\" MULTIPLE=\"\"\n"
                             "        OPTION SELECTED=\"\"\n"
                             "        OPTION\n"))
        << result.outline.toStdString();
}
