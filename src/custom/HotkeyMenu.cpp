#include "custom/HotkeyMenu.h"

#include "custom/KeyTable.h"

#include <QAction>
#include <QMenu>
#include <QSet>

namespace {
// The caption without the key text that ApplyKeyHolders may have appended.
constexpr char PlainCaptionProperty[] = "PlainCaption";

void walkInto(const QMenu *menu, QList<QAction *> &out)
{
    for (QAction *a : menu->actions()) {
        out.append(a);
        if (a->menu() && a->menu() != menu)
            walkInto(a->menu(), out);
    }
}

QKeySequence sequenceOf(quint16 value)
{
    const std::optional<QKeyCombination> key = HotkeyToKey(value);
    return key && value ? QKeySequence(*key) : QKeySequence();
}
}  // namespace

QList<QAction *> HotkeyWalk(const QList<QMenu *> &topMenus)
{
    QList<QAction *> out;
    for (const QMenu *menu : topMenus)
        if (menu)
            walkInto(menu, out);
    return out;
}

int ItemTag(const QAction *item)
{
    const QVariant tag = item->property(TagProperty);
    if (tag.isValid())
        return tag.toInt();
    return item->objectName().isEmpty() ? 1 : 0;
}

quint16 ItemHotkey(const QAction *item)
{
    const QVariant stored = item->property(HotkeyProperty);
    if (stored.isValid())
        return quint16(stored.toUInt());
    const QKeySequence seq = item->shortcut();
    return seq.isEmpty() ? 0 : KeyToHotkey(seq[0]).value_or(0);
}

void SetItemHotkey(QAction *item, quint16 value)
{
    item->setProperty(HotkeyProperty, uint(value));
}

QList<HotkeyItem> HotkeyItems(const QList<QAction *> &walk)
{
    QList<HotkeyItem> items;
    items.reserve(walk.size());
    for (const QAction *a : walk)
        items.append({a->objectName(), ItemTag(a), ItemHotkey(a)});
    return items;
}

void InitItemHotkeys(const QList<QMenu *> &topMenus)
{
    for (QAction *a : HotkeyWalk(topMenus))
        SetItemHotkey(a, ItemHotkey(a));
    ApplyKeyHolders(topMenus);
}

void ApplyKeyHolders(const QList<QMenu *> &topMenus, bool live)
{
    const QList<QAction *> walk = HotkeyWalk(topMenus);
    const QList<bool> holders = live ? KeyHolders(HotkeyItems(walk)) : QList<bool>(walk.size(), false);
    for (int i = 0; i < walk.size(); ++i) {
        QAction *a = walk.at(i);
        const quint16 value = ItemHotkey(a);
        const QKeySequence seq = sequenceOf(value);
        a->setShortcut(holders.at(i) ? seq : QKeySequence());
        QVariant plain = a->property(PlainCaptionProperty);
        if (!holders.at(i) && !seq.isEmpty()) {
            if (!plain.isValid()) {
                plain = a->text();
                a->setProperty(PlainCaptionProperty, plain);
            }
            // QMenu shows the text after a tab as the item's key.
            a->setText(plain.toString() + QLatin1Char('\t') + seq.toString(QKeySequence::NativeText));
        } else if (plain.isValid()) {
            a->setText(plain.toString());
            a->setProperty(PlainCaptionProperty, QVariant());
        }
    }
}

void SuspendShortcuts(const QList<QMenu *> &topMenus)
{
    for (QAction *a : HotkeyWalk(topMenus))
        SetItemHotkey(a, ItemHotkey(a));
    ApplyKeyHolders(topMenus, false);
}

bool SaveHotkeys(const QList<QMenu *> &topMenus, const QString &fileName, QString *error)
{
    return WriteHotkeysFile(fileName, RecordsToSave(HotkeyItems(HotkeyWalk(topMenus))), error);
}

void LoadHotkeys(const QList<QMenu *> &topMenus, const QString &fileName)
{
    const QList<HotkeyRecord> records = ReadHotkeysFile(fileName);
    if (records.isEmpty())
        return;
    const QList<QAction *> walk = HotkeyWalk(topMenus);
    const QList<std::optional<quint16>> values = ValuesToLoad(HotkeyItems(walk), records);
    QSet<quint16> chosen;
    for (int i = 0; i < walk.size(); ++i) {
        if (values.at(i)) {
            SetItemHotkey(walk.at(i), *values.at(i));
            if (*values.at(i))
                chosen.insert(*values.at(i));
        }
    }
    for (int i = 0; i < walk.size(); ++i) {
        QAction *a = walk.at(i);
        if (!values.at(i) && a->property(NewerItemProperty).toBool() && chosen.contains(ItemHotkey(a)))
            SetItemHotkey(a, 0);
    }
    ApplyKeyHolders(topMenus);
}
