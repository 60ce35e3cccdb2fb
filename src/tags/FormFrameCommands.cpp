#include "tags/FormFrameCommands.h"

#include "tags/FormElementsDlg.h"
#include "tags/FramesDlg.h"

namespace {
TagCommand formCommand(const char *item, const char *caption, const char *key, const char *hint, FormElement element)
{
    return MakeCommand(item, caption, key, hint,
                       [element](TextDocument &document) { InsertFormElement(document, element); });
}
}  // namespace

const QList<TagCommand> &FormFrameCommands()
{
    static const QList<TagCommand> commands = {
        formCommand("Form2", "&Form...", "Ctrl+F5", "Insert a form", FormElement::Form),
        formCommand("CheckBox1", "  &Check Box", "Shift+F1", "Insert a checkbox", FormElement::CheckBox),
        formCommand("Hidden1", "  &Hidden", "Shift+F2", "Insert a hidden box", FormElement::Hidden),
        formCommand("Image2", "  &Image", "Shift+F3", "Insert an image (acts like a submit button)",
                    FormElement::Image),
        formCommand("Password1", "  &Password", "Shift+F4", "Insert a password box", FormElement::Password),
        formCommand("Radio1", "  Ra&dio", "Shift+F5", "Insert a radio box", FormElement::Radio),
        formCommand("Reset1", "  &Reset", "Shift+F6", "Insert a reset button", FormElement::Reset),
        formCommand("Submit1", "  &Submit", "Shift+F7", "Insert a submit button", FormElement::Submit),
        formCommand("TextBox1", "  &Text Box", "Shift+F8", "Insert a text box", FormElement::Text),
        formCommand("TextArea1", "  Text &Area", "Shift+F9", "Insert a text area", FormElement::TextAreaInput),
        formCommand("TextAreatextareatextarea1", "  Text &Area (<textarea></textarea)", "Shift+F10",
                    "Insert a textarea (<textarea>...</textarea>)", FormElement::TextAreaElement),
        formCommand("SelectList1", "  Select &List", "Shift+F11", "Insert a drop-down list", FormElement::Select),
        formCommand("SelectListItem1", "  Select List Ite&m", "Shift+F12", "Insert a drop-down list item",
                    FormElement::Option),
        MakeCommand("FrameSet1", "Frames &Set", "Ctrl+F8", "", FrameSet1Click),
        MakeCommand("FrameCol1", "  Frame &Col/Row", "", "", FrameCol1Click),
        MakeCommand("Frame1", "&Frame", "Ctrl+F9", "", Frame1Click),
        MakeCommand("NoFrames1", "&NoFrames", "", "", NoFrames1Click),
    };
    return commands;
}
