#include "app/DocumentCommands.h"

#include "app/ChildWin.h"
#include "app/EditorFontCommand.h"
#include "app/MainForm.h"
#include "app/OptionsDlg.h"
#include "app/Preview.h"
#include "app/SearchController.h"
#include "custom/HotkeyCapture.h"
#include "custom/JsWizardDlg.h"
#include "custom/NewLinkDlg.h"
#include "custom/PrivateMenuDlg.h"
#include "editor/ColorMemo.h"
#include "editor/ColorRulesDlg.h"
#include "objects/ImageCommands.h"
#include "objects/ObjectCommands.h"
#include "objects/URLDlg.h"
#include "objects/AppletLayerFontCommands.h"
#include "tags/DocStructureDlg.h"
#include "tags/FormFrameCommands.h"
#include "tags/MiscDlg.h"
#include "tags/StructureCommands.h"
#include "tags/TableListCommands.h"
#include "tags/TagCommands.h"
#include "tags/UrlPicker.h"

#include <QHash>

namespace {
QHash<QString, DocumentCommand> &registry()
{
    static QHash<QString, DocumentCommand> commands;
    return commands;
}
}  // namespace

DocumentCommandEvents &DocumentCommandEvents::instance()
{
    static DocumentCommandEvents events;
    return events;
}

void RegisterDocumentCommand(const DocumentCommand &command)
{
    registry().insert(command.itemName, command);
    emit DocumentCommandEvents::instance().changed(command.itemName);
}

void UnregisterDocumentCommand(const QString &itemName)
{
    if (registry().remove(itemName))
        emit DocumentCommandEvents::instance().changed(itemName);
}

const DocumentCommand *FindDocumentCommand(const QString &itemName)
{
    auto it = registry().constFind(itemName);
    return it == registry().constEnd() ? nullptr : &it.value();
}

void RegisterAllDocumentCommands()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    for (const TagCommand &tag : TagCommands()) {
        auto run = tag.run;
        RegisterDocumentCommand({tag.itemName, QString(), [run](TMDIChild &doc) { run(doc); }});
    }
    RegisterObjectCommands([](const ObjectCommand &c) {
        RegisterDocumentCommand({c.itemName, QString(), [run = c.run](TMDIChild &doc) { run(doc); }});
    });
    SetUrlPicker(PickURL);
    RegisterImageCommands([](const ObjectCommand &c) { RegisterDocumentCommand({c.itemName, QString(), [run = c.run](TMDIChild &doc) { run(doc); }}); });
    RegisterStructureCommands([](const TagCommand &c) {
        RegisterDocumentCommand({c.itemName, QString(), [run = c.run](TMDIChild &doc) { run(doc); }});
    });
    RegisterFormFrameCommands([](const TagCommand &c) {
        RegisterDocumentCommand({c.itemName, QString(), [run = c.run](TMDIChild &doc) { run(doc); }});
    });
    TMainForm::hooks().newDocumentStructure = [](TMDIChild &doc) { Insertalldocumentelements1Click(doc); };
    TMDIChild::lineBreakDialog() = [](TMDIChild &doc, bool typed) { LineBreakDialog(doc, typed); };
    RegisterTableListCommands([](const TagCommand &c) { auto run = c.run; RegisterDocumentCommand({c.itemName, QString(), [run](TMDIChild &doc) { run(doc); }}); });
    RegisterAppletLayerFontCommands([](const TagCommand &c) { auto run = c.run; RegisterDocumentCommand({c.itemName, QString(), [run](TMDIChild &doc) { run(doc); }}); });
    RegisterJsWizardCommands([](const TagCommand &c) { auto run = c.run; RegisterDocumentCommand({c.itemName, QString(), [run](TMDIChild &doc) { run(doc); }}); });
    RegisterNewLinkCommands([](const NewLinkCommand &c) { RegisterDocumentCommand({c.itemName, QString(), [run = c.run](TMDIChild &doc) { run(doc, doc.mainForm()->store()); }}); });
    RegisterDocumentCommand({QStringLiteral("ChangeFont1"), QString(), [](TMDIChild &doc) { ChangeFont1Click(doc); }});
    RegisterDocumentCommand({QStringLiteral("Viewinbrowser1"), QString(), [](TMDIChild &doc) { PreviewDocument(doc); }});
    RegisterDocumentCommand({QStringLiteral("Options2"), QString(), [](TMDIChild &doc) {
                                 TMainForm *main = doc.mainForm();
                                 RunOptionsDialog(main, [main](bool shown) { main->setStatusBarShown(shown); });
                             }});
    RegisterDocumentCommand({QStringLiteral("Find1"), QString(), [](TMDIChild &doc) { doc.mainForm()->search()->find(); }});
    RegisterDocumentCommand(
        {QStringLiteral("FindNext1"), QString(), [](TMDIChild &doc) { doc.mainForm()->search()->findNext(); }});
    RegisterDocumentCommand(
        {QStringLiteral("Replace1"), QString(), [](TMDIChild &doc) { doc.mainForm()->search()->replace(); }});
    RegisterDocumentCommand({QStringLiteral("Coloredtags1"), QString(), [](TMDIChild &doc) {
                                 RunColorRulesDialog(doc.mainForm(), [] {
                                     QList<TColorMemo *> editors;
                                     for (TMDIChild *child : DocumentList())
                                         editors.append(child->Memo1);
                                     return editors;
                                 });
                             }});
    RegisterDocumentCommand({QStringLiteral("Changeitemsshortcuts1"), QString(), [](TMDIChild &doc) {
                                 doc.mainForm()->hotkeyCapture()->BeginHotkeyCapture(&doc, doc.menus(), doc.Memo1);
                             }});
    RegisterDocumentCommand(
        {QStringLiteral("Editprivatemenu1"), QString(), [](TMDIChild &doc) { RunPrivateMenuDialog(doc.mainForm()); }});
}
