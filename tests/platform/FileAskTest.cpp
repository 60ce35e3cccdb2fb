#include "platform/FileAsk.h"
#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

TEST(AskFileName, PresetsTheFilterOfTheKindAndKeepsTheLastFolder)
{
    ResetAskFileNameFolder();
    ScriptedPrompts prompts;
    prompts.files = {QStringLiteral("/pics/a.gif"), QString(), QStringLiteral("/x/p.tlp")};
    EXPECT_EQ(AskFileName(nullptr, FileFilterKind::Pictures), QStringLiteral("/pics/a.gif"));
    EXPECT_EQ(AskFileName(nullptr, FileFilterKind::HTMLs), QString());
    EXPECT_EQ(AskFileName(nullptr, 9), QStringLiteral("/x/p.tlp"));

    ASSERT_EQ(prompts.fileRequests.size(), 3);
    const auto &first = prompts.fileRequests[0];
    EXPECT_EQ(first.caption, QStringLiteral("Open/Save"));
    EXPECT_FALSE(first.save);
    EXPECT_EQ(first.filterIndex, 1);
    EXPECT_EQ(first.filters.at(first.filterIndex), QStringLiteral("Pictures (*.GIF *.JPG *.JPEG)"));
    EXPECT_TRUE(first.folder.isEmpty());
    // A cancelled dialog keeps the folder of the last use.
    EXPECT_EQ(prompts.fileRequests[1].folder, QStringLiteral("/pics"));
    EXPECT_EQ(prompts.fileRequests[1].filterIndex, 0);
    EXPECT_EQ(prompts.fileRequests[2].folder, QStringLiteral("/pics"));
    EXPECT_EQ(prompts.fileRequests[2].filterIndex, -1);
    ResetAskFileNameFolder();
}

TEST(AskFileName, FiltersFollowTheKindNumbers)
{
    const QStringList filters = OpenDialogFilters();
    ASSERT_EQ(filters.size(), 7);
    const char *names[] = {"HTMLs (", "Pictures (", "Exectables (", "All (", "Maps (", "Java Classes (", "Projects ("};
    for (int kind = FileFilterKind::HTMLs; kind <= FileFilterKind::Projects; ++kind)
        EXPECT_TRUE(filters[kind - 1].startsWith(QString::fromLatin1(names[kind - 1]))) << kind;
    EXPECT_EQ(filters[FileFilterKind::Projects - 1], QStringLiteral("Projects (*.tlP)"));
}
