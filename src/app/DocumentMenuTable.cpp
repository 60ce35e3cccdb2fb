#include "app/DocumentMenuTable.h"

#include "app/DocumentCommands.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QtGlobal>

#include <deque>
#include <vector>

namespace {
// A menu or submenu heading; headings stay out of hotkey capture: a key on them would do nothing.
constexpr unsigned Menu = MenuItemDef::Submenu | MenuItemDef::TagOne;
constexpr unsigned Check = MenuItemDef::Checkable;
constexpr unsigned CheckOn = MenuItemDef::Checkable | MenuItemDef::CheckedAtStart;

constexpr MenuLayoutEntry menu(int depth, const char *name, const char *caption, const char *hint = "")
{
    return {depth, name, caption, hint, Menu};
}

constexpr MenuLayoutEntry separator(int depth)
{
    return {depth, nullptr, nullptr, nullptr, MenuItemDef::Separator};
}

constexpr MenuLayoutEntry item(int depth, const char *name, unsigned flags = MenuItemDef::None)
{
    return {depth, name, nullptr, nullptr, flags};
}
}  // namespace

// Order matters: it is the menu order, the hotkeys file walk order, and the
// reason Ctrl+C runs Copy rather than Center.
const MenuLayoutEntry DocumentMenuLayout[] = {
    menu(0, "File1", "&File"),
    item(1, "FileNewItem"),
    item(1, "FileOpenItem"),
    menu(1, "Reopen1", "Reopen"),
    item(1, "FileSaveItem"),
    item(1, "FileSaveAsItem"),
    item(1, "SaveAll1"),
    separator(1),
    item(1, "Viewinbrowser1"),
    item(1, "FileCloseItem"),
    separator(1),
    item(1, "FileExitItem"),

    menu(0, "Edit1", "&Edit"),
    item(1, "Undo1"),
    item(1, "Redo1"),
    separator(1),
    item(1, "CutItem"),
    item(1, "CopyItem"),
    item(1, "PasteItem"),
    item(1, "SelectAll1"),
    separator(1),
    item(1, "Find1"),
    item(1, "FindNext1"),
    item(1, "Replace1"),
    item(1, "FindInFiles1"),
    item(1, "ReplaceInFiles1"),
    item(1, "GoToLine1"),
    item(1, "GoToMatchingTag1"),
    item(1, "SelectElement1"),
    item(1, "CompleteName1"),
    separator(1),
    item(1, "ChangeFont1"),
    item(1, "Wordwrap1", CheckOn),
    item(1, "Refrssh1"),

    menu(0, "View1", "&View"),
    item(1, "ShowHideprojectpanel1", Check),
    separator(1),
    item(1, "LineNumbers1", CheckOn),
    item(1, "WhitespaceLineEnds1", Check),
    item(1, "CurrentLine1", CheckOn),
    separator(1),
    item(1, "ZoomIn1"),
    item(1, "ZoomOut1"),
    item(1, "ResetZoom1"),

    menu(0, "Format1", "For&mat"),
    menu(1, "Headers1", "&Headers"),
    item(2, "Header12"),
    item(2, "Header22"),
    item(2, "Header32"),
    item(2, "Header42"),
    item(2, "Header52"),
    item(2, "Header62"),
    separator(1),
    menu(1, "ParagraphFormatting1", "&Paragraph Formatting"),
    item(2, "ChooseFont1"),
    item(2, "Address1"),
    item(2, "BlockQuote1"),
    item(2, "Center1"),
    item(2, "Div1"),
    item(2, "Paragraph1"),
    item(2, "Citation1"),
    item(2, "Code1"),
    item(2, "Keyboard1"),
    item(2, "Literal1"),
    item(2, "Variable1"),
    separator(1),
    item(1, "Comment1"),
    item(1, "Bold1"),
    item(1, "Italic1"),
    item(1, "Underline1"),
    item(1, "Typewriter1"),
    item(1, "Strong1"),
    item(1, "Emphasis1"),
    item(1, "Strike1"),
    item(1, "Subscript1"),
    item(1, "Superscript1"),
    item(1, "Big1"),
    item(1, "Small1"),
    item(1, "Blink1"),

    menu(0, "Insert1", "&Insert", "HTML tags"),
    menu(1, "Links1", "&Links"),
    item(2, "Insertadocumentinthesamesystem1"),
    item(2, "Insertadocumentinothersystem1"),
    item(2, "Jumpwithinthisdocument1"),
    item(1, "TargetName1"),
    item(1, "Image1"),
    menu(1, "Clientsideimagemaps1", "  Client side image &maps"),
    item(2, "Map1"),
    item(2, "Area1"),
    separator(1),
    menu(1, "List1", "Li&st"),
    item(2, "List2"),
    item(2, "DefinitionListItem1"),
    item(2, "MenuListItem1"),
    item(2, "OrderedListItem1"),
    item(2, "UnOrderedListItem1"),
    menu(1, "Form1", "&Form"),
    item(2, "Form2"),
    item(2, "CheckBox1"),
    item(2, "Hidden1"),
    item(2, "Image2"),
    item(2, "Password1"),
    item(2, "Radio1"),
    item(2, "Reset1"),
    item(2, "Submit1"),
    item(2, "TextBox1"),
    item(2, "TextArea1"),
    item(2, "TextAreatextareatextarea1"),
    item(2, "SelectList1"),
    item(2, "SelectListItem1"),
    menu(1, "Table1", "&Table"),
    item(2, "Table2"),
    item(2, "TableCaption1"),
    item(2, "TableRow1"),
    item(2, "TableHeader1"),
    item(2, "TableData1"),
    menu(1, "Frames1", "F&rames"),
    item(2, "FrameSet1"),
    item(2, "FrameCol1"),
    item(2, "Frame1"),
    item(2, "NoFrames1"),
    menu(1, "Java1", "&Java"),
    item(2, "JavaApplet1"),
    item(2, "JavaAppletParameter1"),
    item(1, "Newlayer1"),
    separator(1),
    item(1, "HorizontalRule1"),

    menu(0, "Elements1", "Elemen&ts", "Document elements"),
    item(1, "Insertalldocumentelements1"),
    separator(1),
    item(1, "HTMLtags1"),
    menu(1, "Headelements1", "&Head elements"),
    item(2, "Head1"),
    item(2, "Title1"),
    item(2, "IsIndex1"),
    item(2, "Prompt1"),
    item(2, "Base1"),
    item(2, "HREF1"),
    item(2, "Target1"),
    menu(1, "Bodyelements1", "&Body elements"),
    item(2, "Bodytags1"),
    item(2, "Backgroundimage1"),
    item(2, "Backgroundcolor1"),
    item(2, "Textcolor1"),
    item(2, "Linkcolor1"),
    item(2, "Activelinkcolor1"),
    item(2, "Visitedlinkcolor1"),

    menu(0, "Wizards1", "Wi&zards"),
    item(1, "Javascripts1"),

    menu(0, "Misc1", "Mi&sc"),
    item(1, "InsertaURLaddress1"),
    item(1, "Insertarelativefilename1"),
    item(1, "Lowerallselectedletters1"),
    item(1, "Insertacolorvalue1"),
    menu(1, "Newlinkchecker1", "New-link checker"),
    item(2, "Setnewlinkimage1"),
    item(2, "Insertnewlinkchecker2"),
    item(1, "GetTagloombutton1"),
    item(1, "CheckPage1"),
    item(1, "CheckProject1"),

    menu(0, "Private1", "&Private"),

    menu(0, "Window1", "&Window"),
    item(1, "WindowCascadeItem"),
    item(1, "WindowTileItem"),
    item(1, "WindowArrangeItem"),
    item(1, "WindowMinimizeItem"),
    item(1, "CloseAll1"),

    menu(0, "Options1", "&Options", "Options"),
    item(1, "Options2"),
    item(1, "Changeitemsshortcuts1"),
    item(1, "Editprivatemenu1"),
    item(1, "Coloredtags1"),

    menu(0, "Help1", "&Help", "Help topics"),
    item(1, "HelpAboutItem"),
};

const int DocumentMenuLayoutSize = int(sizeof(DocumentMenuLayout) / sizeof(DocumentMenuLayout[0]));

namespace {
// The filled-in table and the texts its rows point into.
struct ComposedMenu
{
    std::deque<QByteArray> texts;  // a deque never moves what it holds
    std::vector<MenuItemDef> items;

    const char *keep(const QString &text)
    {
        texts.push_back(text.toLatin1());
        return texts.back().constData();
    }
};

const ComposedMenu &composedMenu()
{
    static const ComposedMenu composed = [] {
        ComposedMenu out;
        QHash<QString, const Command *> rows;
        for (const Command &row : DocumentCommandRows())
            rows.insert(row.itemName, &row);
        int separators = 0;
        out.items.reserve(size_t(DocumentMenuLayoutSize));
        for (const MenuLayoutEntry &entry : DocumentMenuLayout) {
            if (entry.flags & MenuItemDef::Separator) {
                ++separators;
                out.items.push_back(
                    {entry.depth, out.keep(QStringLiteral("N%1").arg(separators)), "", "", "", entry.flags});
            } else if (entry.caption) {
                out.items.push_back({entry.depth, entry.name, entry.caption, "", entry.hint, entry.flags});
            } else if (const Command *row = rows.value(QString::fromLatin1(entry.name))) {
                out.items.push_back({entry.depth, entry.name, out.keep(row->caption), out.keep(row->key),
                                     out.keep(row->hint), entry.flags});
            } else {
                // A layout entry without a row is a programming error the consistency test reports;
                // the item is still made, empty, so the hotkeys file keeps its walk order.
                qWarning("menu item %s has no command row", entry.name);
                out.items.push_back({entry.depth, entry.name, "", "", "", entry.flags});
            }
        }
        return out;
    }();
    return composed;
}
}  // namespace

const MenuItemDef *const DocumentMenuTable = composedMenu().items.data();
const int DocumentMenuTableSize = int(composedMenu().items.size());
