#include "support/FakeDocument.h"
#include "support/ScriptedPrompts.h"
#include "tags/AttributeHelpers.h"

#include <gtest/gtest.h>

namespace {

struct PathCase
{
    const char *document;
    const char *file;
    const char *expected;
};

void checkCases(PathStyle style, std::initializer_list<PathCase> cases)
{
    for (const PathCase &c : cases) {
        EXPECT_EQ(RelativePathTo(QString::fromUtf8(c.file), QString::fromUtf8(c.document), style),
                  QString::fromUtf8(c.expected))
            << c.document << " + " << c.file;
    }
}

}  // namespace

TEST(RelativePathTo, WindowsStyle)
{
    checkCases(PathStyle::Windows, {
                                       {"C:\\web\\index.html", "C:\\web\\img\\a.gif", "img\\a.gif"},
                                       {"C:\\web\\index.html", "C:\\web\\a.gif", "a.gif"},
                                       {"C:\\web\\site\\index.html", "C:\\web\\a.gif", "..\\a.gif"},
                                       {"C:\\web\\site\\index.html", "C:\\a.gif", "..\\..\\a.gif"},
                                       // neighbouring folder, and a folder whose name only starts like the document's
                                       {"C:\\web\\site\\index.html", "C:\\web\\img\\a.gif", "C:\\web\\img\\a.gif"},
                                       {"C:\\web\\index.html", "C:\\website\\a.gif", "C:\\website\\a.gif"},
                                       // the descendant rule wins over the ancestor rule
                                       {"C:\\img\\index.html", "C:\\img\\img\\a.gif", "img\\a.gif"},
                                       {"C:\\web\\index.html", "D:\\a.gif", "D:\\a.gif"},
                                       {"c:\\web\\index.html", "C:\\web\\a.gif", "C:\\web\\a.gif"},
                                       {"C:\\Web\\index.html", "C:\\web\\a.gif", "C:\\web\\a.gif"},
                                       {"c:\\index.html", "C:\\a.gif", "C:\\a.gif"},
                                       // names that are not absolute with a drive
                                       {"C:\\web\\index.html", "img/a.gif", "img/a.gif"},
                                       {"C:\\web\\index.html", "http://x.org/a.gif", "http://x.org/a.gif"},
                                       {"C:\\web\\index.html", "\\\\server\\web\\a.gif", "\\\\server\\web\\a.gif"},
                                       {"C:\\web\\index.html", "", ""},
                                       // a document name without a folder
                                       {"index.html", "C:\\web\\a.gif", "C:\\web\\a.gif"},
                                       // Qt's file dialogs give forward slashes on Windows
                                       {"C:/web/site/index.html", "C:/web/img/a.gif", "C:/web/img/a.gif"},
                                       {"C:/web/site/index.html", "C:/web/site/img/a.gif", "img\\a.gif"},
                                       {"C:\\web\\site\\index.html", "C:/web/a.gif", "..\\a.gif"},
                                   });
}

TEST(RelativePathTo, PosixStyle)
{
    checkCases(PathStyle::Posix, {
                                     {"/web/index.html", "/web/img/a.gif", "img/a.gif"},
                                     {"/web/index.html", "/web/a.gif", "a.gif"},
                                     {"/web/site/index.html", "/web/a.gif", "../a.gif"},
                                     {"/web/site/index.html", "/a.gif", "../../a.gif"},
                                     {"/web/site/index.html", "/web/img/a.gif", "/web/img/a.gif"},
                                     {"/web/index.html", "/website/a.gif", "/website/a.gif"},
                                     {"/img/index.html", "/img/img/a.gif", "img/a.gif"},
                                     {"/Web/index.html", "/web/a.gif", "/web/a.gif"},
                                     {"/web/index.html", "img/a.gif", "img/a.gif"},
                                     {"/web/index.html", "C:\\web\\a.gif", "C:\\web\\a.gif"},
                                     {"/web/index.html", "http://x.org/a.gif", "http://x.org/a.gif"},
                                     {"index.html", "/web/a.gif", "/web/a.gif"},
                                 });
}

TEST(MakeRelativePath, SavedDocumentAsksNothing)
{
    ScriptedPrompts prompts;
    FakeDocument doc({}, QStringLiteral("/web/site/index.html"));
    EXPECT_EQ(MakeRelativePath(doc, QStringLiteral("/web/a.gif")), QStringLiteral("../a.gif"));
    EXPECT_EQ(MakeRelativePath(doc, QStringLiteral("C:\\web\\a.gif"), PathStyle::Windows),
              QStringLiteral("C:\\web\\a.gif"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST(MakeRelativePath, UnsavedDocumentNoKeepsTheName)
{
    ScriptedPrompts prompts;
    prompts.answers = {QMessageBox::No};
    FakeDocument doc;
    EXPECT_EQ(MakeRelativePath(doc, QStringLiteral("C:\\a.gif"), PathStyle::Windows), QStringLiteral("C:\\a.gif"));
    ASSERT_EQ(prompts.messages.size(), 1);
    const auto &m = prompts.messages[0];
    EXPECT_EQ(m.caption, QStringLiteral("Warning"));
    EXPECT_EQ(m.icon, QMessageBox::Warning);
    EXPECT_EQ(m.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(m.text, QStringLiteral("Cannot make the path relative to the document's \r\npath because the document "
                                     "hasn't been saved yet.\r\nDo you want to save the document now ?\r\n\r\n"
                                     "Notice that if you don't save the document now you will have to save it latter "
                                     "and try again."));
    EXPECT_TRUE(prompts.fileRequests.isEmpty());
    EXPECT_TRUE(doc.saves.isEmpty());
}

TEST(MakeRelativePath, UnsavedDocumentYesWithCancelledSaveKeepsTheName)
{
    ScriptedPrompts prompts;
    prompts.answers = {QMessageBox::Yes};
    prompts.files = {QString()};
    FakeDocument doc;
    EXPECT_EQ(MakeRelativePath(doc, QStringLiteral("C:\\a.gif"), PathStyle::Windows), QStringLiteral("C:\\a.gif"));
    EXPECT_EQ(prompts.fileRequests.size(), 1);
    EXPECT_TRUE(doc.saves.isEmpty());
    EXPECT_TRUE(doc.documentFileName().isEmpty());
}

TEST(MakeRelativePath, UnsavedDocumentYesSavesAndGoesOn)
{
    ScriptedPrompts prompts;
    prompts.answers = {QMessageBox::Yes, QMessageBox::Yes};
    prompts.files = {QStringLiteral("C:\\web\\new.html"), QStringLiteral("/web/site/new.html")};
    FakeDocument windows;
    EXPECT_EQ(MakeRelativePath(windows, QStringLiteral("C:\\a.gif"), PathStyle::Windows), QStringLiteral("..\\a.gif"));
    EXPECT_EQ(windows.saves, QStringList{QStringLiteral("C:\\web\\new.html")});

    FakeDocument posix;
    EXPECT_EQ(MakeRelativePath(posix, QStringLiteral("/web/site/img/a.gif"), PathStyle::Posix),
              QStringLiteral("img/a.gif"));
    EXPECT_EQ(posix.documentFileName(), QStringLiteral("/web/site/new.html"));
}

TEST(MakeRelativePath, NamesThatAreNotAbsoluteAskNothing)
{
    ScriptedPrompts prompts;
    FakeDocument doc;
    EXPECT_EQ(MakeRelativePath(doc, QString()), QString());
    EXPECT_EQ(MakeRelativePath(doc, QStringLiteral("img/a.gif"), PathStyle::Windows), QStringLiteral("img/a.gif"));
    EXPECT_EQ(MakeRelativePath(doc, QStringLiteral("http://x.org/"), PathStyle::Posix),
              QStringLiteral("http://x.org/"));
    EXPECT_EQ(MakeRelativePath(doc, QStringLiteral("\\\\server\\a.gif"), PathStyle::Windows),
              QStringLiteral("\\\\server\\a.gif"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}
