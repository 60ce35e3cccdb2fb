#include "app/ReopenList.h"

#include "platform/SettingsStore.h"

#include <QFileInfo>
#include <QMenu>

QStringList FileReopenList;
QStringList ProjectReopenList;

namespace {
constexpr int kStoredEntries = 10;
}

void LoadReopenList(QStringList &list, const QString &section, const SettingsStore &store)
{
    list.clear();
    for (int i = 0; i < kStoredEntries; ++i) {
        const QString name = store.readString(section, QString::number(i), QString());
        if (name.isEmpty())
            break;
        list.append(name);
    }
}

void SaveReopenList(const QStringList &list, const QString &section, SettingsStore &store)
{
    store.eraseSection(section);
    for (int i = 0; i < list.size(); ++i)
        store.writeString(section, QString::number(i), list.at(i));
    // Every new document window reads the list back from the store.
    store.sync();
}

void AddToReopenList(QStringList &list, const QString &fileName)
{
    list.removeIf([](const QString &entry) { return !QFileInfo::exists(entry); });
    if (fileName.isEmpty())
        return;
    // Only the entry naming the very same text moves: names differing in case
    // are different files where file names are case-sensitive.
    list.removeOne(fileName);
    list.prepend(fileName);
}

void BuildReopenMenu(const QStringList &list, QMenu *menu, std::function<void(const QString &)> onClick)
{
    menu->clear();
    for (const QString &entry : list) {
        QString caption = QFileInfo(entry).fileName();
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction *action = menu->addAction(caption);
        action->setData(entry);
        action->setToolTip(entry);
        // The entry's name is copied into the item, so later changes of the list
        // never redirect it.
        QObject::connect(action, &QAction::triggered, menu, [onClick, entry] {
            if (onClick)
                onClick(entry);
        });
    }
}
