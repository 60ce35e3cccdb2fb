#pragma once

#include "tags/TableMarkup.h"
#include "widgets/NameValueList.h"

#include <QList>
#include <QString>

class TextDocument;

// The list generator's kinds: five whole lists and four single items.
enum class ListKind {
    Ordered,
    Unordered,
    Definition,
    Directory,
    Menu,
    OrderedItem,
    UnorderedItem,
    DefinitionItem,
    PlainItem,
};

// Start and end text of one kind from the named values "compact" ("true"),
// "type", "start", "value", "def.term" and "def.def". The list kinds always
// write TYPE= and START= (their fields always hold a value); the items write
// VALUE= and TYPE= only when present. CR LF line breaks.
TagPairTexts ListMarkup(ListKind kind, const NameValueList &values);

// One row of an item grid: the item text, or for a definition list the term
// and the definition.
struct ListRow
{
    QString term;
    QString definition;
};

// A whole list with its items inside it: the start text holds the list's start
// tag and every item, each on its own line; the end text the empty line for the
// caret and the end tag. listKind is one of the five list kinds.
TagPairTexts WholeListMarkup(ListKind listKind, const NameValueList &values, const QList<ListRow> &rows);

// Writes a whole list as one edit; a selection ends up on the line after the items.
void InsertWholeList(TextDocument &document, ListKind listKind, const NameValueList &values,
                     const QList<ListRow> &rows);

// Writes one item of an existing list as one edit: the item tag, then (for all
// but definition items) the selection, if any, then the item text.
void InsertListItem(TextDocument &document, ListKind itemKind, const NameValueList &values, const QString &itemText);
