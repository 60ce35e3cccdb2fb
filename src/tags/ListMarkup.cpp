#include "tags/ListMarkup.h"

#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"
#include "tags/AttributeText.h"
#include "tags/TagInsertion.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString value(const NameValueList &values, const char *name)
{
    return OneLine(values.value(QLatin1String(name)));
}

QString compact(const NameValueList &values)
{
    return values.value(QStringLiteral("compact")) == QLatin1String("true") ? QStringLiteral(" COMPACT") : QString();
}

// " NAME=value" when the value is present.
QString optional(const NameValueList &values, const char *name, const char *attributeName)
{
    const QString v = value(values, name);
    return v.isEmpty() ? QString() : QLatin1Char(' ') + QLatin1String(attributeName) + QLatin1Char('=') + v;
}

TagPairTexts list(const QString &startTag, const char *endTag)
{
    return {startTag + CrLf, CrLf + QLatin1String(endTag)};
}

}  // namespace

TagPairTexts ListMarkup(ListKind kind, const NameValueList &v)
{
    switch (kind) {
    case ListKind::Ordered:
        return list(QStringLiteral("<OL") + compact(v) + QStringLiteral(" TYPE=") + value(v, "type")
                        + QStringLiteral(" START=") + value(v, "start") + QLatin1Char('>'),
                    "</OL>");
    case ListKind::Unordered:
        return list(QStringLiteral("<UL") + compact(v) + QStringLiteral(" TYPE=") + value(v, "type") + QLatin1Char('>'),
                    "</UL>");
    case ListKind::Definition:
        return list(QStringLiteral("<DL") + compact(v) + QLatin1Char('>'), "</DL>");
    case ListKind::Directory:
        return list(QStringLiteral("<DIR>"), "</DIR>");
    case ListKind::Menu:
        return list(QStringLiteral("<MENU>"), "</MENU>");
    case ListKind::OrderedItem:
        return {QStringLiteral("<LI") + optional(v, "value", "VALUE") + optional(v, "type", "TYPE") + QLatin1Char('>'),
                QString()};
    case ListKind::UnorderedItem:
        return {QStringLiteral("<LI") + optional(v, "type", "TYPE") + QLatin1Char('>'), QString()};
    case ListKind::DefinitionItem:
        return {QStringLiteral("<DT>") + value(v, "def.term") + CrLf + QStringLiteral(" <DD>") + value(v, "def.def"),
                QString()};
    case ListKind::PlainItem:
        return {QStringLiteral("<LI>"), QString()};
    }
    return {};
}

TagPairTexts WholeListMarkup(ListKind listKind, const NameValueList &values, const QList<ListRow> &rows)
{
    TagPairTexts texts = ListMarkup(listKind, values);
    // Items are written without options, so every list item is a plain "<LI>".
    const QString itemTag = QStringLiteral("<LI>");
    QString items;
    items.reserve(rows.size() * 32);
    for (const ListRow &row : rows) {
        if (listKind == ListKind::Definition) {
            items += QStringLiteral("<DT>") + OneLine(row.term) + CrLf + QStringLiteral(" <DD>")
                     + OneLine(row.definition) + CrLf;
        } else {
            items += itemTag + OneLine(row.term) + CrLf;
        }
    }
    texts.start += items;
    return texts;
}

void InsertWholeList(TextDocument &document, ListKind listKind, const NameValueList &values, const QList<ListRow> &rows)
{
    const TagPairTexts texts = WholeListMarkup(listKind, values, rows);
    InsertTagPair(document, texts.start, texts.end);
}

void InsertListItem(TextDocument &document, ListKind itemKind, const NameValueList &values, const QString &itemText)
{
    const TagPairTexts texts = ListMarkup(itemKind, values);
    if (itemKind == ListKind::DefinitionItem) {
        InsertTagPair(document, texts.start, texts.end);
        return;
    }
    // The item text follows the selection, as writing the tag and then the text
    // at the caret would leave it, but in one edit.
    const QString text = OneLine(itemText);
    if (document.editor()->SelLength() > 0)
        InsertTagPair(document, texts.start, text);
    else
        InsertTagPair(document, texts.start + text, QString());
}
