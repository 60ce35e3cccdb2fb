#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QMenu;
class SettingsStore;

// Recently used files, most recent first.
extern QStringList FileReopenList;
extern QStringList ProjectReopenList;

// Sections of the settings store that hold the lists; value "0" is the most recent.
inline const QString FileReopenSection = QStringLiteral("Reopen List");
inline const QString ProjectReopenSection = QStringLiteral("Project Reopen List");

// Replaces the list with the stored one: values "0" to "9", up to the first
// empty or missing one.
void LoadReopenList(QStringList &list, const QString &section, const SettingsStore &store);
// Stores the list as values "0", "1", ...; no value of an earlier, longer list is left.
void SaveReopenList(const QStringList &list, const QString &section, SettingsStore &store);
// Drops the entries whose files are gone and puts the name at the front
// (moving it there when already listed). The list is not cut back.
void AddToReopenList(QStringList &list, const QString &fileName);
// Rebuilds the menu: one item per entry, captioned with the file name without
// its folder; clicking it calls onClick with the entry's full name.
void BuildReopenMenu(const QStringList &list, QMenu *menu, std::function<void(const QString &)> onClick);
