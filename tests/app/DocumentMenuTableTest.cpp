#include "app/DocumentMenuTable.h"

#include <QKeySequence>
#include <QSet>
#include <QString>
#include <QStringList>

#include <string>

#include <gtest/gtest.h>

namespace {

const MenuItemDef *findItem(const char *name)
{
    for (int i = 0; i < DocumentMenuTableSize; ++i)
        if (QString::fromLatin1(DocumentMenuTable[i].name) == QLatin1String(name))
            return &DocumentMenuTable[i];
    return nullptr;
}

int indexOf(const char *name)
{
    const MenuItemDef *item = findItem(name);
    return item ? int(item - DocumentMenuTable) : -1;
}

// The rows directly below the given row, by name.
QStringList childrenOf(const char *name)
{
    QStringList out;
    const int at = indexOf(name);
    if (at < 0)
        return out;
    const int depth = DocumentMenuTable[at].depth;
    for (int i = at + 1; i < DocumentMenuTableSize && DocumentMenuTable[i].depth > depth; ++i)
        if (DocumentMenuTable[i].depth == depth + 1)
            out << QString::fromLatin1(DocumentMenuTable[i].name);
    return out;
}

std::string joined(const QStringList &list)
{
    return list.join(QLatin1Char(',')).toStdString();
}

bool has(const MenuItemDef &item, unsigned flag)
{
    return (item.flags & flag) != 0;
}

}  // namespace

TEST(DocumentMenuTable, NamesAreUniqueAndSeparatorsNumberedInOrder)
{
    QSet<QString> seen;
    int separators = 0;
    for (int i = 0; i < DocumentMenuTableSize; ++i) {
        const MenuItemDef &item = DocumentMenuTable[i];
        const QString name = QString::fromLatin1(item.name);
        ASSERT_FALSE(name.isEmpty()) << "row " << i;
        EXPECT_FALSE(seen.contains(name)) << "duplicate name " << item.name;
        seen.insert(name);
        if (has(item, MenuItemDef::Separator)) {
            ++separators;
            EXPECT_EQ(name, QStringLiteral("N%1").arg(separators));
            EXPECT_STREQ(item.key, "") << item.name;
            EXPECT_FALSE(has(item, MenuItemDef::Submenu)) << item.name;
        } else {
            EXPECT_STRNE(item.caption, "") << item.name;
        }
    }
    EXPECT_EQ(separators, 12);
}

TEST(DocumentMenuTable, DepthsNestUnderSubmenuRows)
{
    ASSERT_GT(DocumentMenuTableSize, 0);
    EXPECT_EQ(DocumentMenuTable[0].depth, 0);
    for (int i = 0; i < DocumentMenuTableSize; ++i) {
        const MenuItemDef &item = DocumentMenuTable[i];
        EXPECT_GE(item.depth, 0) << item.name;
        EXPECT_LE(item.depth, 2) << item.name;
        if (item.depth == 0) {
            EXPECT_TRUE(has(item, MenuItemDef::Submenu)) << item.name;
            EXPECT_TRUE(has(item, MenuItemDef::TagOne)) << item.name;
        }
        if (i == 0)
            continue;
        const MenuItemDef &prev = DocumentMenuTable[i - 1];
        EXPECT_LE(item.depth, prev.depth + 1) << item.name;
        if (item.depth == prev.depth + 1) {
            EXPECT_TRUE(has(prev, MenuItemDef::Submenu)) << item.name << " follows " << prev.name;
        }
    }
}

TEST(DocumentMenuTable, KeysParseAndOnlyCopyAndCenterShareOne)
{
    QList<QPair<QKeySequence, QString>> keys;
    for (int i = 0; i < DocumentMenuTableSize; ++i) {
        const MenuItemDef &item = DocumentMenuTable[i];
        const QString text = QString::fromLatin1(item.key);
        if (text.isEmpty())
            continue;
        const QKeySequence seq = QKeySequence::fromString(text, QKeySequence::PortableText);
        ASSERT_EQ(seq.count(), 1) << item.name << " " << item.key;
        EXPECT_EQ(seq.toString(QKeySequence::PortableText).toStdString(), item.key) << item.name;
        for (const auto &[other, otherName] : keys) {
            if (other != seq)
                continue;
            EXPECT_EQ(joined({otherName, QString::fromLatin1(item.name)}), "CopyItem,Center1") << item.key;
        }
        keys.append({seq, QString::fromLatin1(item.name)});
    }
    EXPECT_EQ(keys.size(), 71);  // every default key of the menu bar
}

TEST(DocumentMenuTable, MenusInOrderWithTheirRunTimeSubmenus)
{
    QStringList menus;
    for (int i = 0; i < DocumentMenuTableSize; ++i)
        if (DocumentMenuTable[i].depth == 0)
            menus << QString::fromLatin1(DocumentMenuTable[i].caption);
    EXPECT_EQ(joined(menus),
              "&File,&Edit,&View,For&mat,&Insert,Elemen&ts,Wi&zards,Mi&sc,&Private,&Window,&Options,&Help");

    for (const char *filled : {"Reopen1", "Private1"}) {
        const MenuItemDef *item = findItem(filled);
        ASSERT_NE(item, nullptr) << filled;
        EXPECT_TRUE(has(*item, MenuItemDef::Submenu)) << filled;
        EXPECT_EQ(joined(childrenOf(filled)), "") << filled;
    }
    EXPECT_EQ(indexOf("Reopen1"), indexOf("FileOpenItem") + 1);
    EXPECT_EQ(joined(childrenOf("Window1")),
              "WindowCascadeItem,WindowTileItem,WindowArrangeItem,WindowMinimizeItem,CloseAll1");
    EXPECT_EQ(joined(childrenOf("Headers1")), "Header12,Header22,Header32,Header42,Header52,Header62");
}

TEST(DocumentMenuTable, NamesTheHandlersUse)
{
    for (const char *name : {"FileNewItem",
                             "FileOpenItem",
                             "FileSaveItem",
                             "FileSaveAsItem",
                             "FileCloseItem",
                             "FileExitItem",
                             "CutItem",
                             "CopyItem",
                             "PasteItem",
                             "ChangeFont1",
                             "Wordwrap1",
                             "Refrssh1",
                             "ShowHideprojectpanel1",
                             "WindowCascadeItem",
                             "WindowTileItem",
                             "WindowArrangeItem",
                             "WindowMinimizeItem",
                             "CloseAll1",
                             "Options2",
                             "HelpAboutItem",
                             "Find1",
                             "FindNext1",
                             "Replace1",
                             "Viewinbrowser1",
                             "Changeitemsshortcuts1",
                             "Editprivatemenu1",
                             "Coloredtags1",
                             "Javascripts1",
                             "Setnewlinkimage1",
                             "Insertnewlinkchecker2",
                             "Insertalldocumentelements1",
                             "Backgroundimage1",
                             "TargetName1",
                             "Image1",
                             "Image2",
                             "Map1",
                             "Area1",
                             "JavaApplet1",
                             "JavaAppletParameter1",
                             "Newlayer1",
                             "ChooseFont1",
                             "InsertaURLaddress1",
                             "Insertarelativefilename1",
                             "Lowerallselectedletters1",
                             "Insertacolorvalue1",
                             "GetTagloombutton1",
                             "HorizontalRule1",
                             "Div1",
                             "Paragraph1",
                             "Table2",
                             "List2",
                             "Form2"})
        EXPECT_NE(findItem(name), nullptr) << name;
}

TEST(DocumentMenuTable, SpotChecks)
{
    const MenuItemDef *bold = findItem("Bold1");
    ASSERT_NE(bold, nullptr);
    EXPECT_STREQ(bold->caption, "&Bold");
    EXPECT_STREQ(bold->key, "Ctrl+B");
    EXPECT_STREQ(bold->hint, "Bolded text");

    const MenuItemDef *findNext = findItem("FindNext1");
    ASSERT_NE(findNext, nullptr);
    EXPECT_STREQ(findNext->caption, "Find &Next");
    EXPECT_STREQ(findNext->key, "F3");

    for (int level = 1; level <= 6; ++level) {
        const QByteArray name = QByteArray("Header") + QByteArray::number(level) + "2";
        const MenuItemDef *header = findItem(name.constData());
        ASSERT_NE(header, nullptr) << name.constData();
        EXPECT_EQ(QString::fromLatin1(header->key), QStringLiteral("Alt+%1").arg(level));
        EXPECT_EQ(QString::fromLatin1(header->caption), QStringLiteral("Header &%1").arg(level));
    }

    // Copy must come first: the shared Ctrl+C goes to the first item in menu order.
    EXPECT_LT(indexOf("CopyItem"), indexOf("Center1"));
    EXPECT_STREQ(findItem("Center1")->key, "Ctrl+C");

    const MenuItemDef *wrap = findItem("Wordwrap1");
    ASSERT_NE(wrap, nullptr);
    EXPECT_EQ(wrap->flags, unsigned(MenuItemDef::Checkable | MenuItemDef::CheckedAtStart));
    const MenuItemDef *panel = findItem("ShowHideprojectpanel1");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->flags, unsigned(MenuItemDef::Checkable));

    EXPECT_STREQ(findItem("TextAreatextareatextarea1")->caption, "  Text &Area (<textarea></textarea)");
    EXPECT_STREQ(findItem("Title1")->caption, "   &Title");
    EXPECT_STREQ(findItem("Activelinkcolor1")->hint, "Insert ACTIVE=\" \"");
    EXPECT_STREQ(findItem("SelectListItem1")->key, "Shift+F12");
    EXPECT_STREQ(findItem("Insert1")->hint, "HTML tags");
    EXPECT_STREQ(findItem("HelpAboutItem")->hint, "About Tagloom");
}
