#include "app/DocumentCommands.h"

#include "app/CheckCommands.h"
#include "app/ChildWin.h"
#include "app/EditorBasics.h"
#include "app/EditorFontCommand.h"
#include "app/FindInFiles.h"
#include "app/MainForm.h"
#include "app/OptionsDlg.h"
#include "app/Preview.h"
#include "app/SearchController.h"
#include "app/TypingHelp.h"
#include "custom/HotkeyCapture.h"
#include "custom/JsWizardDlg.h"
#include "custom/NewLinkDlg.h"
#include "custom/PrivateMenuDlg.h"
#include "editor/ColorMemo.h"
#include "editor/ColorRulesDlg.h"
#include "objects/AppletCommands.h"
#include "objects/FontCommands.h"
#include "objects/ImageCommands.h"
#include "objects/LayerCommands.h"
#include "objects/ObjectCommands.h"
#include "objects/URLDlg.h"
#include "tags/FormFrameCommands.h"
#include "tags/StructureCommands.h"
#include "tags/TableListCommands.h"
#include "tags/TagCommands.h"
#include "tags/UrlPicker.h"

namespace {

// Only document windows run the menu commands.
TMDIChild &child(TextDocument &document)
{
    return static_cast<TMDIChild &>(document);
}

TMainForm &mainForm(TextDocument &document)
{
    return *child(document).mainForm();
}

// The commands app/ itself provides through the registry.
const QList<Command> &appCommands()
{
    static const QList<Command> commands = {
        MakeCommand("Viewinbrowser1", "View in &browser", "", "", [](TextDocument &d) { PreviewDocument(child(d)); }),
        MakeCommand("Find1", "&Find...", "Ctrl+F", "", [](TextDocument &d) { mainForm(d).search()->find(); }),
        MakeCommand("FindNext1", "Find &Next", "F3", "", [](TextDocument &d) { mainForm(d).search()->findNext(); }),
        MakeCommand("Replace1", "&Replace...", "Ctrl+R", "", [](TextDocument &d) { mainForm(d).search()->replace(); }),
        MakeCommand("FindInFiles1", "Find in F&iles...", "Ctrl+Shift+F",
                    "Find a text in the files of a folder or project",
                    [](TextDocument &d) { FindInFiles::of(mainForm(d)).findInFiles(); }),
        MakeCommand("ReplaceInFiles1", "Replace in Fi&les...", "", "Replace a text in the files of a folder or project",
                    [](TextDocument &d) { FindInFiles::of(mainForm(d)).replaceInFiles(); }),
        MakeCommand("ChangeFont1", "Change F&ont...", "", "", [](TextDocument &d) { ChangeFont1Click(child(d)); }),
        MakeCommand("Options2", "Main &Options...", "", "Set options of Tagloom",
                    [](TextDocument &d) {
                        TMainForm *main = &mainForm(d);
                        RunOptionsDialog(main, [main](bool shown) { main->setStatusBarShown(shown); });
                    }),
        MakeCommand("Changeitemsshortcuts1", "Change &hotkeys...", "", "",
                    [](TextDocument &d) {
                        TMDIChild &doc = child(d);
                        doc.mainForm()->hotkeyCapture()->BeginHotkeyCapture(&doc, doc.menus(), doc.Memo1);
                    }),
        MakeCommand("Editprivatemenu1", "Edit &private menu...", "", "",
                    [](TextDocument &d) { RunPrivateMenuDialog(&mainForm(d)); }),
        MakeCommand("Coloredtags1", "&Color rules...", "", "",
                    [](TextDocument &d) {
                        RunColorRulesDialog(&mainForm(d), [documents = &child(d).documents()] {
                            QList<TColorMemo *> editors;
                            for (TMDIChild *doc : documents->list())
                                editors.append(doc->Memo1);
                            return editors;
                        });
                    }),
    };
    return commands;
}

}  // namespace

const QList<Command> &WindowCommands()
{
    static const QList<Command> commands =
        QList<Command>{
            MakeCommand("FileNewItem", "&New...", "Ctrl+N", "",
                        [](TextDocument &d) { mainForm(d).FileNewItemClick(); }),
            MakeCommand("FileOpenItem", "&Open...", "Ctrl+O", "",
                        [](TextDocument &d) { mainForm(d).FileOpenItemClick(); }),
            MakeCommand("FileSaveItem", "&Save", "Ctrl+S", "", [](TextDocument &d) { child(d).FileSaveItemClick(); }),
            MakeCommand("FileSaveAsItem", "Save &As...", "", "",
                        [](TextDocument &d) { child(d).FileSaveAsItemClick(); }),
            MakeCommand("FileCloseItem", "&Close file", "Ctrl+W", "",
                        [](TextDocument &d) { child(d).FileCloseItemClick(); }),
            MakeCommand("FileExitItem", "E&xit", "", "", [](TextDocument &d) { mainForm(d).FileExitItemClick(); }),
            MakeCommand("CutItem", "Cu&t", "Ctrl+X", "", [](TextDocument &d) { child(d).CutItemClick(); }),
            MakeCommand("CopyItem", "&Copy", "Ctrl+C", "", [](TextDocument &d) { child(d).CopyItemClick(); }),
            MakeCommand("PasteItem", "&Paste", "Ctrl+V", "", [](TextDocument &d) { child(d).PasteItemClick(); }),
            MakeCommand("Wordwrap1", "Word &wrap", "", "", [](TextDocument &d) { child(d).Wordwrap1Click(); }),
            MakeCommand("Refrssh1", "Refre&sh", "F5", "", [](TextDocument &d) { child(d).Refrssh1Click(); }),
            MakeCommand("ShowHideprojectpanel1", "&Project panel", "", "",
                        [](TextDocument &d) { child(d).ShowHideprojectpanel1Click(); }),
            MakeCommand("WindowCascadeItem", "&Cascade", "", "Arrange windows to overlap",
                        [](TextDocument &d) { mainForm(d).WindowCascadeItemClick(); }),
            MakeCommand("WindowTileItem", "&Tile", "", "Arrange windows without overlap",
                        [](TextDocument &d) { mainForm(d).WindowTileItemClick(); }),
            MakeCommand("WindowArrangeItem", "&Arrange Icons", "", "Arrange window icons at bottom of main window",
                        [](TextDocument &d) { mainForm(d).WindowArrangeItemClick(); }),
            MakeCommand("WindowMinimizeItem", "&Minimize All", "", "Minimize all windows",
                        [](TextDocument &d) { mainForm(d).WindowMinimizeItemClick(); }),
            MakeCommand("CloseAll1", "C&lose All", "", "", [](TextDocument &d) { mainForm(d).CloseAll1Click(); }),
            MakeCommand("HelpAboutItem", "&About", "", "About Tagloom",
                        [](TextDocument &d) { mainForm(d).HelpAboutItemClick(); }),
        }
        + EditorBasicsCommands() + TypingHelpCommands() + CheckCommands();
    return commands;
}

namespace {
// Every row that goes through the registry: each subsystem's list, once.
const QList<Command> &registeredRows()
{
    static const QList<Command> rows = [] {
        QList<Command> all;
        for (const QList<Command> *part : {&appCommands(), &TagCommands(), &StructureCommands(), &FormFrameCommands(),
                                           &TableListCommands(), &ObjectCommands(), &ImageCommands(), &AppletCommands(),
                                           &LayerCommands(), &FontCommands(), &JsWizardCommands(), &NewLinkCommands()})
            all += *part;
        return all;
    }();
    return rows;
}
}  // namespace

const QList<Command> &DocumentCommandRows()
{
    static const QList<Command> rows = WindowCommands() + registeredRows();
    return rows;
}

void RegisterAllDocumentCommands()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    SetUrlPicker(PickURL);
    SetNewLinkStoreFinder([](TextDocument &d) { return &mainForm(d).store(); });
    for (const Command &command : registeredRows())
        RegisterCommand(command);
}
