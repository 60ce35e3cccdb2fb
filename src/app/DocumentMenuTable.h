#pragma once

// The document window's menu bar as data: one row per menu, item or separator,
// in menu order. The hotkeys file stores items by name, so names never change.
struct MenuItemDef
{
    enum Flags : unsigned {
        None = 0,
        Checkable = 1,
        CheckedAtStart = 2,
        Submenu = 4,  // the row opens a submenu; its items follow with depth + 1
        Separator = 8,
        TagOne = 16,  // takes no part in hotkey capture (top-level menus, some submenu headings, reopen)
    };
    int depth;            // 0 top-level menu, 1 its items, 2 items of a submenu
    const char *name;     // the item name (the action's objectName); separators "N1", "N2", ...
    const char *caption;  // exactly as shown, with "&" and leading blanks
    const char *key;      // default key in QKeySequence portable text ("Ctrl+Shift+F1"), "" for none
    const char *hint;     // status bar hint while highlighted, "" for none
    unsigned flags;
};

// Where each command goes: the menus, submenus and separators with their own
// captions, and the command items by name only. A command item's caption, key
// and hint are those of its command row (DocumentCommandRows()).
struct MenuLayoutEntry
{
    int depth;
    const char *name;     // the row's item name; nullptr for a separator
    const char *caption;  // menus and submenus only
    const char *hint;     // menus and submenus only
    unsigned flags;       // MenuItemDef flags
};

extern const MenuLayoutEntry DocumentMenuLayout[];
extern const int DocumentMenuLayoutSize;

// The layout filled in from the command rows, built once at start-up.
extern const MenuItemDef *const DocumentMenuTable;
extern const int DocumentMenuTableSize;
