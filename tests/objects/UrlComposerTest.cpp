#include "objects/UrlComposer.h"

#include <gtest/gtest.h>

namespace {

UrlFields fields(const char *host, const char *port, const char *path, const char *file, const char *target)
{
    UrlFields f;
    f[HostField] = QString::fromUtf8(host);
    f[PortField] = QString::fromUtf8(port);
    f[PathField] = QString::fromUtf8(path);
    f[FileNameField] = QString::fromUtf8(file);
    f[TargetField] = QString::fromUtf8(target);
    return f;
}

}  // namespace

TEST(UrlComposer, SchemeListKeepsItsIndices)
{
    EXPECT_EQ(UrlSchemeNames(), QStringList({"http", "afs", "ftp", "gopher", "file", "mailto", "news", "newssrc",
                                             "nntp", "telnet", "wais", "https"}));
    EXPECT_EQ(UrlSchemeAt(-1), nullptr);
    EXPECT_EQ(UrlSchemeAt(UrlSchemeCount()), nullptr);
}

// Every field filled: what each scheme takes of them, and in which order.
TEST(UrlComposer, EverySchemeWithAllFields)
{
    const UrlFields all = fields("h", "8080", "p", "f.html", "t");
    const char *expected[] = {
        "http://h:8080/p/f.html#t",
        "afs://h:8080/p/f.html#t",
        "ftp://h:8080/p/f.html#t",
        "gopher://h:8080/p t",
        "file://h:8080/p/f.html#t",
        "mailto:h",
        "news:h",
        "newssrc://h:8080/p/f.html#t",
        "nntp://h:8080/p/f.html#t",
        "telnet://p:f.html@h:8080",
        "wais://h:8080/p/t",
        "https://h:8080/p/f.html#t",
    };
    ASSERT_EQ(int(std::size(expected)), UrlSchemeCount());
    for (int s = 0; s < UrlSchemeCount(); ++s)
        EXPECT_EQ(ComposeUrl(s, all), QString::fromLatin1(expected[s])) << s;
}

TEST(UrlComposer, EmptyFieldsDropOutWithTheirSeparators)
{
    enum { http = 0, gopher = 3, file = 4, mailto = 5, news = 6, telnet = 9, wais = 10 };
    const struct
    {
        int scheme;
        UrlFields fields;
        const char *url;
    } cases[] = {
        {http, fields("", "", "", "", ""), "http"},
        {http, fields("h", "", "", "", ""), "http://h"},
        {http, fields("h", "", "", "f.html", ""), "http://h/f.html"},
        {http, fields("h", "", "", "", "t"), "http://h#t"},
        // "://" goes with whatever follows the scheme, host or not.
        {http, fields("", "", "p", "", ""), "http:///p"},
        {file, fields("", "", "C|/web", "a.html", ""), "file:///C|/web/a.html"},
        {http, fields("", "80", "", "", ""), "http://:80"},
        {gopher, fields("h", "", "p", "hidden", "x"), "gopher://h/p x"},
        {wais, fields("h", "", "db", "", "t"), "wais://h/db/t"},
        {mailto, fields("a@b.c", "1", "p", "f", "t"), "mailto:a@b.c"},
        {news, fields("g", "", "", "", ""), "news:g"},
        {mailto, fields("", "1", "p", "f", "t"), "mailto"},
        // Telnet: user and password only when given.
        {telnet, fields("h", "", "", "", ""), "telnet://h"},
        {telnet, fields("h", "23", "u", "", ""), "telnet://u@h:23"},
        {telnet, fields("h", "", "", "pw", ""), "telnet://:pw@h"},
        {telnet, fields("", "", "u", "pw", "hidden"), "telnet://u:pw@"},
        // Taken exactly as typed.
        {http, fields(" h ", "x", "a b", "", "%20"), "http:// h :x/a b#%20"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ComposeUrl(c.scheme, c.fields), QString::fromLatin1(c.url)) << c.url;
    EXPECT_EQ(ComposeUrl(-1, fields("h", "", "", "", "")), QString());
    EXPECT_EQ(ComposeUrl(UrlSchemeCount(), fields("h", "", "", "", "")), QString());
}
