#include "support/FakeDocument.h"
#include "support/HeadlessBrowser.h"
#include "tags/ListMarkup.h"
#include "tags/TableMarkup.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {

struct Element
{
    QString name;
    QString line;
    QString parent;
};

// The outline's elements with the name of each one's parent.
QList<Element> elements(const QString &outline)
{
    QList<Element> out;
    QStringList stack;
    for (const QString &line : outline.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const int depth = int(line.size() - line.trimmed().size()) / 2;
        const QString text = line.trimmed();
        const QString name = text.section(QLatin1Char(' '), 0, 0);
        stack.resize(depth);
        out.append({name, text, depth > 0 ? stack.at(depth - 1) : QString()});
        stack.append(name);
    }
    return out;
}

// The text a command leaves in a document that held `selected`, all of it selected.
QByteArray written(const QByteArray &selected, const std::function<void(TextDocument &)> &write)
{
    FakeDocument doc(selected);
    doc.select(0, int(selected.size()));
    write(doc);
    return doc.text();
}

QByteArray pair(const TagPairTexts &texts, const QByteArray &inside)
{
    return texts.start.toUtf8() + inside + texts.end.toUtf8();
}

}  // namespace

// Every table and list kind, read by a browser: cells sit in rows, items in
// their lists, and a selection wrapped by a list stays inside it.
TEST(BrowserCheck, TablesAndListsNestAsIntended)
{
    const QList<ListRow> two = {{QStringLiteral("one"), QStringLiteral("first")},
                                {QStringLiteral("two"), QStringLiteral("second")}};
    QByteArray body;
    // A table with every attribute, header and data cells with and without spans.
    const NameValueList table = {{"border", "1"},  {"cellSpace", "2"}, {"cellPad", "3"},     {"width", "80%"},
                                 {"height", "40"}, {"align", "LEFT"},  {"caption", "Sales"}, {"caption_align", "TOP"}};
    const QByteArray rows = pair(TableMarkup(TableKind::Row, {{"align", "CENTER"}, {"bgColor", "000000"}}), "")
                            + pair(TableMarkup(TableKind::Header, {}), "h1")
                            + pair(TableMarkup(TableKind::Header, {{"colspan", "2"}, {"nowrap", "true"}}), "h2")
                            + "\r\n" + pair(TableMarkup(TableKind::Row, {}), "")
                            + pair(TableMarkup(TableKind::Data, {{"rowspan", "2"}, {"width", "50%"}}), "d1")
                            + pair(TableMarkup(TableKind::Data, {{"vAlign", "TOP"}}), "d2")
                            + pair(TableMarkup(TableKind::Data, {}), "d3");
    body += written(rows, [&](TextDocument &doc) { InsertTableMarkup(doc, TableKind::Table, table); });
    // A caption written by its own command inside a plain table.
    body += pair(TableMarkup(TableKind::Table, {}),
                 written("Q1", [](TextDocument &doc) {
                     InsertTableMarkup(doc, TableKind::Caption, {{"caption", ""}, {"align", "BOTTOM"}});
                 }) + "\r\n<TR><TD>x");
    // Whole lists, the last wrapped around a selection.
    body += written("", [&](TextDocument &doc) {
        InsertWholeList(doc, ListKind::Ordered, {{"type", "i"}, {"start", "3"}, {"compact", "true"}}, two);
    });
    body += written("", [&](TextDocument &doc) {
        InsertWholeList(doc, ListKind::Unordered, {{"type", "SQUARE"}}, two);
    });
    body += written("", [&](TextDocument &doc) { InsertWholeList(doc, ListKind::Definition, {}, two); });
    body += written("", [&](TextDocument &doc) { InsertWholeList(doc, ListKind::Directory, {}, two); });
    body += written("", [&](TextDocument &doc) { InsertWholeList(doc, ListKind::Menu, {}, two); });
    body += written("<B>kept</B>", [&](TextDocument &doc) {
        InsertWholeList(doc, ListKind::Unordered, {{"type", "DISC"}}, two);
    });
    // Single items added to lists already in the page.
    auto item = [](ListKind kind, const NameValueList &values, const QString &text) {
        return written("", [&](TextDocument &doc) { InsertListItem(doc, kind, values, text); }) + "\r\n";
    };
    body += pair(ListMarkup(ListKind::Ordered, {{"type", "1"}, {"start", "1"}}),
                 item(ListKind::OrderedItem, {{"value", "5"}, {"type", "i"}}, QStringLiteral("Pear")));
    body += pair(ListMarkup(ListKind::Unordered, {{"type", "CIRCLE"}}),
                 item(ListKind::UnorderedItem, {{"type", "DISC"}}, QStringLiteral("Fig")));
    body += pair(ListMarkup(ListKind::Definition, {}),
                 item(ListKind::DefinitionItem, {{"def.term", "T"}, {"def.def", "D"}}, QString()));
    body += pair(ListMarkup(ListKind::Menu, {}), item(ListKind::PlainItem, {}, QStringLiteral("Go")));

    const BrowserPage page = LoadInBrowser("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>\r\n" + body + "</BODY></HTML>");
    REQUIRE_BROWSER(page);
    const QString outline = page.outline;
    const QList<Element> all = elements(outline);
    // Where each element must sit; the wrapped selection (B) stays inside its list item.
    const QMap<QString, QStringList> parents = {
        {"LI", {"OL", "UL", "DIR", "MENU"}},
        {"DT", {"DL"}},
        {"DD", {"DL"}},
        {"TD", {"TR"}},
        {"TH", {"TR"}},
        {"TR", {"TBODY"}},
        {"TBODY", {"TABLE"}},
        {"CAPTION", {"TABLE"}},
        {"B", {"LI"}},
    };
    QMap<QString, int> count;
    for (const Element &e : all) {
        ++count[e.name];
        if (parents.contains(e.name)) {
            EXPECT_TRUE(parents.value(e.name).contains(e.parent))
                << e.line.toStdString() << " in " << e.parent.toStdString();
        }
    }
    EXPECT_EQ(count.value("TABLE"), 2);
    EXPECT_EQ(count.value("CAPTION"), 2);
    EXPECT_EQ(count.value("TR"), 3);
    EXPECT_EQ(count.value("TH"), 2);
    EXPECT_EQ(count.value("TD"), 4);
    EXPECT_EQ(count.value("OL"), 2);
    EXPECT_EQ(count.value("UL"), 3);
    EXPECT_EQ(count.value("DL"), 2);
    EXPECT_EQ(count.value("DIR"), 1);
    EXPECT_EQ(count.value("MENU"), 2);
    EXPECT_EQ(count.value("LI"), 2 + 2 + 2 + 2 + 2 + 1 + 1 + 1);
    EXPECT_EQ(count.value("DT"), 3);
    EXPECT_EQ(count.value("DD"), 3);
    EXPECT_EQ(count.value("B"), 1);
    EXPECT_TRUE(page.scriptErrors.isEmpty());
    // Attributes arrive as written.
    for (const char *expected :
         {"TABLE BORDER=\"1\" CELLSPACING=\"2\" CELLPADDING=\"3\" WIDTH=\"80%\" HEIGHT=\"40\" ALIGN=\"LEFT\"",
          "CAPTION ALIGN=\"TOP\"", "TR ALIGN=\"CENTER\" BGCOLOR=\"#000000\"", "TH NOWRAP=\"\" COLSPAN=\"2\"",
          "TD WIDTH=\"50%\" ROWSPAN=\"2\"", "OL COMPACT=\"\" TYPE=\"i\" START=\"3\"", "LI VALUE=\"5\" TYPE=\"i\"",
          "UL TYPE=\"SQUARE\"", "LI TYPE=\"DISC\""})
        EXPECT_TRUE(outline.contains(QLatin1String(expected))) << expected << "\n" << outline.toStdString();
}
