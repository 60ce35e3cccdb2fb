#pragma once

#include "custom/HotkeyFile.h"

#include <QList>
#include <QString>

class QAction;
class QMenu;

// The document window's menus as the hotkeys file sees them. Each action's key
// is kept in its "HotKey" property (the file's value), because only the first
// item in menu order with a key may hold it as its Qt shortcut: Qt runs neither
// of two actions with the same shortcut, Windows runs the first.
inline constexpr char HotkeyProperty[] = "HotKey";
// Tag 0 marks hotkey items; menus, some submenu headings and header items carry
// another value. Actions without a name (reopen entries, the window list) count as tag 1.
inline constexpr char TagProperty[] = "Tag";

// Marks an item added after hotkeys files were first written: when a file does
// not name it and gives its default key to another item, the user's choice
// wins and the item goes without a key.
inline constexpr char NewerItemProperty[] = "NewerItem";

// Every item below the top-level menus, depth first, each item before its sub-items.
QList<QAction *> HotkeyWalk(const QList<QMenu *> &topMenus);
int ItemTag(const QAction *item);
quint16 ItemHotkey(const QAction *item);
void SetItemHotkey(QAction *item, quint16 value);
QList<HotkeyItem> HotkeyItems(const QList<QAction *> &walk);

// Takes each item's current Qt shortcut as its key, then gives the shortcuts out
// by menu order. Run once when a window's menus are built.
void InitItemHotkeys(const QList<QMenu *> &topMenus);
// Gives each key to the first item in menu order that has it; later items with
// the same key show it beside their caption but do not take it. With live false
// no item takes its key and every item shows its own (while capturing).
void ApplyKeyHolders(const QList<QMenu *> &topMenus, bool live = true);
// Removes every Qt shortcut of the menus; their keys stay and are shown.
void SuspendShortcuts(const QList<QMenu *> &topMenus);

// Writes one record per hotkey item; false when the file cannot be written.
bool SaveHotkeys(const QList<QMenu *> &topMenus, const QString &fileName, QString *error = nullptr);
// Applies the file to the menus; a missing file changes nothing.
void LoadHotkeys(const QList<QMenu *> &topMenus, const QString &fileName);
