#include "custom/JsEntries.h"

#include "support/ScriptedPrompts.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString Shipped()
{
    return QStringLiteral(TAGLOOM_SHIPPED_DATA "/Tagloom.js");
}

TEST(GetJSParam, CountsTildesAndNeverTakesTheLastCharacter)
{
    const struct
    {
        int k;
        const char *params;
        const char *expected;
    } cases[] = {
        {1, "a~b~", "a"},
        {2, "a~b~", "b"},
        {3, "a~b~", ""},
        {0, "a~b~", ""},
        {1, "~b~", ""},
        {2, "~b~", "b"},
        {1, "abc", "ab"},
        {2, "14~'03/15/98' ", "'03/15/98'"},
        {1, "", ""},
        {1, "~", ""},
        {9, "1~2~3~4~5~6~7~8~9~", "9"},
        {1, "\xc3\xbc\xe2\x82\xac~", "\xc3\xbc\xe2\x82\xac"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(GetJSParam(c.k, QString::fromUtf8(c.params)), QString::fromUtf8(c.expected))
            << c.k << " of " << c.params;
}

TEST(JsStringText, EscapesWhatWouldEndTheStringOrTheScript)
{
    const struct
    {
        const char *typed;
        const char *expected;
    } cases[] = {
        {"plain", "plain"},
        {"It's \"q\" \\", "It\\'s \\\"q\\\" \\\\"},
        {"a\r\nb\nc", "a\\r\\nb\\nc"},
        {"</script><!-- <b>", "<\\/script><\\!-- <b>"},
        {"~ TL%1", "\\u007E TL%1"},
        {"\xe2\x80\xa8\xe2\x80\xa9", "\\u2028\\u2029"},
        {"\xc3\xbc\xe2\x82\xac", "\xc3\xbc\xe2\x82\xac"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(JsStringText(QString::fromUtf8(c.typed)), QString::fromUtf8(c.expected)) << c.typed;
    // An escaped value never splits or shortens the parameter text.
    const QString hostile = JsStringText(QString::fromUtf8("It's \"q\" \\ </script> ~ TL%1 \xc3\xbc\xe2\x82\xac"));
    const QString params = JoinJSParams({hostile, QStringLiteral("second")});
    EXPECT_EQ(GetJSParam(1, params), hostile);
    EXPECT_EQ(GetJSParam(2, params), QStringLiteral("second"));
}

TEST(ExtractJSEntry, FindsTheEntryAndFillsItInOnePass)
{
    const QString file = QStringLiteral("Tagloom JS Entry #0\r\n"
                                        "zero TL%1\r\n"
                                        "Tagloom JS Entry #1 \r\n"  // a trailing blank: not a header
                                        "still zero\r\n"
                                        "Tagloom JS Entry #1\r\n"
                                        "x=TL%1;y=TL%2;z=TL%3;w=TL%0;TL%1\r\n"
                                        "keep TL% and TL%x and TL%\r\n"
                                        "drop me: Tagloom JS Entry #7 inside\r\n"
                                        "\r\n"
                                        "Tagloom JS Entry #3\r\n"  // any header ends the entry
                                        "three\r\n"
                                        "Tagloom JS Entry #2\r\n"
                                        "two\n"  // a bare line feed ends a line too
                                        "last");
    const struct
    {
        int n;
        const char *params;
        const char *expected;
    } cases[] = {
        {0, "A~", "zero A\r\nstill zero\r\n"},
        {1, "a~b~", "x=a;y=b;z=;w=;a\r\nkeep TL% and TL%x and TL%\r\n\r\n"},
        // A value holding a placeholder or a header is written as given.
        {1, "TL%1~Tagloom JS Entry #1~",
         "x=TL%1;y=Tagloom JS Entry #1;z=;w=;TL%1\r\nkeep TL% and TL%x and TL%\r\n\r\n"},
        {2, "", "two\r\nlast\r\n"},
        {3, "", "three\r\n"},
    };
    for (const auto &c : cases) {
        const auto entry = ExtractJSEntry(file, c.n, QString::fromUtf8(c.params));
        ASSERT_TRUE(entry.has_value()) << c.n;
        EXPECT_EQ(*entry, QString::fromUtf8(c.expected)) << c.n;
    }
    EXPECT_FALSE(ExtractJSEntry(file, 4, QString()).has_value());
    EXPECT_FALSE(ExtractJSEntry(QString(), 0, QString()).has_value());
    // An empty entry is found, and is empty.
    EXPECT_EQ(ExtractJSEntry(QStringLiteral("Tagloom JS Entry #5\r\nTagloom JS Entry #6\r\n"), 5, QString()),
              QString());
}

TEST(ReadJSEntry, AMissingFileSaysSoAndGivesNothing)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("Tagloom.js"));
    ScriptedPrompts prompts;
    prompts.answers = {QMessageBox::Ok, QMessageBox::Ok};
    EXPECT_FALSE(ReadJSEntry(0, QString(), nullptr, name).has_value());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, name + QStringLiteral("\r\nnot found"));

    // A folder of that name is not the file either.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Tagloom.js")));
    EXPECT_FALSE(ReadJSEntry(0, QString(), nullptr, name).has_value());
    EXPECT_EQ(prompts.messages.size(), 2);
}

TEST(ReadJSEntry, AHandEditedFileIsReadInItsEncoding)
{
    const struct
    {
        const char *what;
        QByteArray file;
        QString entry;
    } cases[] = {
        {"UTF-8", "Tagloom JS Entry #0\r\nalert('caf\xC3\xA9 \xE2\x82\xAC')\r\n",
         QString::fromUtf8("alert('caf\xC3\xA9 \xE2\x82\xAC')\r\n")},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBFTagloom JS Entry #0\r\nalert('caf\xC3\xA9')\r\n",
         QString::fromUtf8("alert('caf\xC3\xA9')\r\n")},
        {"Latin-1", "Tagloom JS Entry #0\r\nalert('caf\xE9 \xA9')\r\n",
         QString::fromUtf8("alert('caf\xC3\xA9 \xC2\xA9')\r\n")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("Tagloom.js"));
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.file);
        file.close();
        ScriptedPrompts prompts;
        EXPECT_EQ(ReadJSEntry(0, QString(), nullptr, name), c.entry);
        EXPECT_TRUE(prompts.messages.isEmpty());
    }
}

TEST(ReadJSEntry, AFileThatIsThereButCannotBeUsedSaysSo)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("Tagloom.js"));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(16 * 1024 * 1024 + 1));  // sparse: costs no disk
    file.close();
    ScriptedPrompts prompts;
    prompts.answers = {QMessageBox::Ok, QMessageBox::Ok};
    EXPECT_FALSE(ReadJSEntry(0, QString(), nullptr, name).has_value());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text,
              QStringLiteral("Cannot open file ") + name + QStringLiteral("\r\nThe file is larger than 16 MB."));

    ASSERT_TRUE(file.resize(0));
    ASSERT_TRUE(file.setPermissions(QFileDevice::Permissions()));
    // A user who reads every file (root) cannot be shown an unreadable one.
    if (QFile probe(name); !probe.open(QIODevice::ReadOnly)) {
        EXPECT_FALSE(ReadJSEntry(0, QString(), nullptr, name).has_value());
        ASSERT_EQ(prompts.messages.size(), 2);
        EXPECT_EQ(prompts.messages[1].text, QStringLiteral("Cannot open file ") + name);
    }
}

TEST(ShippedJsEntries, EveryEntryIsThereWithItsParametersAndCrLfLines)
{
    QFile file(Shipped());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));

    // The highest parameter each entry's callers pass.
    const int parameters[] = {0, 3, 7, 3, 2, 0, 7};
    ScriptedPrompts prompts;
    for (int n = 0; n < 7; ++n) {
        const auto entry = ReadJSEntry(n, QString(), nullptr, Shipped());
        ASSERT_TRUE(entry.has_value()) << n;
        EXPECT_TRUE(entry->startsWith(QStringLiteral("<SCRIPT TYPE=\"text/javascript\">\r\n"))) << n;
        EXPECT_TRUE(entry->endsWith(QStringLiteral("</SCRIPT>\r\n"))) << n;
        const QString raw = *ExtractJSEntry(QString::fromUtf8(bytes), n,
                                            QStringLiteral("TL%1~TL%2~TL%3~TL%4~TL%5~TL%6~TL%7~TL%8~TL%9~"));
        int highest = 0;
        for (const auto &m : QRegularExpression(QStringLiteral("TL%(\\d)")).globalMatch(raw))
            highest = std::max(highest, m.captured(1).toInt());
        EXPECT_EQ(highest, parameters[n]) << n;
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
}

}  // namespace
