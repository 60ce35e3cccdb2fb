#include "app/DocumentCommands.h"
#include "app/DocumentMenuTable.h"

#include <QHash>
#include <QKeySequence>
#include <QSet>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// The letter after "&" ("&&" is a literal ampersand), lower case; none gives a null char.
QChar mnemonic(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return QChar();
}

QString name(const MenuItemDef &item)
{
    return QString::fromLatin1(item.name);
}

}  // namespace

TEST(CommandRows, EachRowHasAUniqueNameACaptionAndAHandler)
{
    QSet<QString> names;
    for (const Command &row : DocumentCommandRows()) {
        const std::string n = row.itemName.toStdString();
        EXPECT_FALSE(row.itemName.isEmpty());
        EXPECT_FALSE(names.contains(row.itemName)) << "two rows named " << n;
        names.insert(row.itemName);
        EXPECT_FALSE(row.caption.isEmpty()) << n;
        // The menu table holds Latin-1 texts; anything else would show garbled.
        for (const QString &text : {row.caption, row.key, row.hint})
            EXPECT_EQ(QString::fromLatin1(text.toLatin1()), text) << n;
        EXPECT_TRUE(bool(row.run)) << n;
        if (!row.key.isEmpty()) {
            EXPECT_EQ(QKeySequence::fromString(row.key, QKeySequence::PortableText).count(), 1) << n;
        }
    }
}

// A layout entry that names no row would make an empty item; a row that no entry
// names would be a command the user cannot reach.
TEST(CommandRows, EveryMenuEntryNamesARowAndEveryRowIsInTheMenusOnce)
{
    QHash<QString, int> placed;
    for (int i = 0; i < DocumentMenuLayoutSize; ++i) {
        const MenuLayoutEntry &entry = DocumentMenuLayout[i];
        if (entry.caption || (entry.flags & MenuItemDef::Separator))
            continue;
        ++placed[QString::fromLatin1(entry.name)];
    }
    QSet<QString> rows;
    for (const Command &row : DocumentCommandRows()) {
        rows.insert(row.itemName);
        EXPECT_EQ(placed.value(row.itemName), 1) << row.itemName.toStdString();
    }
    for (auto it = placed.cbegin(); it != placed.cend(); ++it)
        EXPECT_TRUE(rows.contains(it.key())) << "no row for menu item " << it.key().toStdString();
}

// Items of one menu with the same "&" letter cannot all be reached from the
// keyboard. These pairs are in the menus as they were designed and are kept.
TEST(CommandRows, NoTwoItemsOfAMenuShareAMnemonicOrAKey)
{
    const QSet<QString> knownClashes = {
        QStringLiteral("ParagraphFormatting1,Superscript1"),    // "For&mat": p
        QStringLiteral("Bold1,Subscript1"),                     // "For&mat": b
        QStringLiteral("Links1,Newlayer1"),                     // "&Insert": l
        QStringLiteral("TextArea1,TextAreatextareatextarea1"),  // "&Form": a
        QStringLiteral("Title1,Target1"),                       // "&Head elements": t
    };

    QSet<QString> clashes;
    // The items directly under each menu or submenu heading.
    std::map<int, std::map<QChar, QString>> open;  // depth of the heading -> letter -> item
    QHash<QString, QString> keys;
    for (int i = 0; i < DocumentMenuTableSize; ++i) {
        const MenuItemDef &item = DocumentMenuTable[i];
        for (auto it = open.begin(); it != open.end();)
            it = it->first >= item.depth ? open.erase(it) : std::next(it);
        if (!(item.flags & MenuItemDef::Separator) && item.depth > 0) {
            const QChar letter = mnemonic(QString::fromLatin1(item.caption));
            if (!letter.isNull()) {
                auto &letters = open[item.depth - 1];
                if (letters.count(letter))
                    clashes.insert(letters[letter] + QLatin1Char(',') + name(item));
                else
                    letters[letter] = name(item);
            }
        }
        if (item.flags & MenuItemDef::Submenu)
            open[item.depth];
        const QString key = QString::fromLatin1(item.key);
        if (!key.isEmpty()) {
            // Ctrl+C is both: Copy wins as the first in menu order.
            if (keys.contains(key)) {
                EXPECT_EQ(keys.value(key) + QLatin1Char(',') + name(item), QStringLiteral("CopyItem,Center1"))
                    << item.key;
            }
            keys.insert(key, name(item));
        }
    }
    for (const QString &clash : clashes)
        EXPECT_TRUE(knownClashes.contains(clash)) << "same mnemonic in one menu: " << clash.toStdString();
    for (const QString &clash : knownClashes)
        EXPECT_TRUE(clashes.contains(clash)) << "no longer a clash, take it off the list: " << clash.toStdString();
}
