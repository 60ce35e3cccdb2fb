#include "app/ReopenList.h"

#include "platform/SettingsStore.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ReopenListTest : public ::testing::Test
{
protected:
    QString iniFile() const { return m_dir.filePath(QStringLiteral("store.ini")); }
    // An existing file in the temporary folder.
    QString makeFile(const QString &relative)
    {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(writeFileBytes(path, "<HTML></HTML>"));
        return path;
    }

    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(ReopenListTest, ReadingStopsAtTheFirstGapOrAfterTen)
{
    SettingsStore store(iniFile());
    store.writeString(FileReopenSection, "0", "/a.html");
    store.writeString(FileReopenSection, "1", "/b.html");
    store.writeString(FileReopenSection, "3", "/d.html");
    QStringList list{"/stale.html"};
    LoadReopenList(list, FileReopenSection, store);
    EXPECT_EQ(list, QStringList({"/a.html", "/b.html"}));

    store.writeString(FileReopenSection, "0", "");
    LoadReopenList(list, FileReopenSection, store);
    EXPECT_TRUE(list.isEmpty());

    for (int i = 0; i < 12; ++i)
        store.writeString(ProjectReopenSection, QString::number(i), QString("/p%1.tlp").arg(i));
    LoadReopenList(list, ProjectReopenSection, store);
    ASSERT_EQ(list.size(), 10);
    EXPECT_EQ(list.last(), "/p9.tlp");
}

TEST_F(ReopenListTest, AddingMovesToTheTopAndPrunesMissingFiles)
{
    const QString a = makeFile("a.html");
    const QString b = makeFile("sub/b.html");
    const QString c = makeFile("c.html");
    QStringList list{a, m_dir.filePath("gone.html"), b, c};
    AddToReopenList(list, b);
    EXPECT_EQ(list, QStringList({b, a, c}));

    // An empty name only prunes.
    QFile::remove(a);
    AddToReopenList(list, QString());
    EXPECT_EQ(list, QStringList({b, c}));

    // Where names differing only in case are different files, both stay and
    // re-adding one moves that one, without a duplicate.
    const QString upper = m_dir.filePath("C.html");
    if (!QFileInfo::exists(upper)) {
        makeFile("C.html");
        AddToReopenList(list, upper);
        AddToReopenList(list, c);
        EXPECT_EQ(list, QStringList({c, upper, b}));
        QFile::remove(upper);
    }

    // All files gone: only the new name is left.
    QFile::remove(b);
    QFile::remove(c);
    AddToReopenList(list, a);
    EXPECT_EQ(list, QStringList({a}));
}

TEST_F(ReopenListTest, EleventhEntryIsKeptInMemoryAndStoredButNotReadBack)
{
    SettingsStore store(iniFile());
    QStringList list;
    for (int i = 0; i < 10; ++i)
        list.append(makeFile(QString("f%1.html").arg(i)));
    SaveReopenList(list, FileReopenSection, store);

    LoadReopenList(list, FileReopenSection, store);
    const QString eleventh = makeFile("new.html");
    AddToReopenList(list, eleventh);
    ASSERT_EQ(list.size(), 11);
    EXPECT_EQ(list.first(), eleventh);
    SaveReopenList(list, FileReopenSection, store);
    EXPECT_EQ(store.valueNames(FileReopenSection).size(), 11);

    QStringList next;
    LoadReopenList(next, FileReopenSection, SettingsStore(iniFile()));
    EXPECT_EQ(next, list.mid(0, 10));
}

TEST_F(ReopenListTest, SavingAShorterListLeavesNoStaleValues)
{
    SettingsStore store(iniFile());
    SaveReopenList({"/1", "/2", "/3", "/4"}, ProjectReopenSection, store);
    store.writeString(FileReopenSection, "0", "/kept.html");
    SaveReopenList({"/new"}, ProjectReopenSection, store);

    SettingsStore reread(iniFile());
    EXPECT_EQ(reread.valueNames(ProjectReopenSection), QStringList({"0"}));
    EXPECT_EQ(reread.readString(ProjectReopenSection, "0", ""), "/new");
    EXPECT_EQ(reread.readString(FileReopenSection, "0", ""), "/kept.html");

    SaveReopenList({}, ProjectReopenSection, store);
    QStringList list{"x"};
    LoadReopenList(list, ProjectReopenSection, SettingsStore(iniFile()));
    EXPECT_TRUE(list.isEmpty());
}

TEST_F(ReopenListTest, MenuShowsFileNamesAndOpensTheEntryItWasBuiltFrom)
{
    QMenu menu;
    menu.addAction("placeholder");
    QStringList list{"/one/page.html", "/two/page.html", "/x/R&D.htm"};
    QStringList opened;
    BuildReopenMenu(list, &menu, [&](const QString &name) { opened.append(name); });

    const auto actions = menu.actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), "page.html");
    EXPECT_EQ(actions[1]->text(), "page.html");
    EXPECT_EQ(actions[2]->text(), "R&&D.htm");

    list.clear();
    actions[1]->trigger();
    actions[0]->trigger();
    actions[2]->trigger();
    EXPECT_EQ(opened, QStringList({"/two/page.html", "/one/page.html", "/x/R&D.htm"}));

    BuildReopenMenu({}, &menu, {});
    EXPECT_TRUE(menu.actions().isEmpty());
}
