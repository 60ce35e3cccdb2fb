#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QStringList>

class TextDocument;

struct TagNameSpan
{
    qsizetype offset = 0;
    qsizetype length = 0;
    bool operator==(const TagNameSpan &) const = default;
};

// The names defined inside tags: for each occurrence of tagPrefix (say "<A"),
// the tag text runs to the next ">", and the name is what follows the first
// attrPrefix (say `NAME="`) in it, up to the next double quote. Prefixes match
// ignoring ASCII case; names come back as written, in document order,
// duplicates kept. The prefix also finds longer tag names ("<A" finds "<AREA").
// One forward pass over the bytes, no copy. A tag without ">" or a value
// without its closing quote inside the tag yields no name.
QList<TagNameSpan> FindTagNames(QByteArrayView text, QByteArrayView tagPrefix, QByteArrayView attrPrefix);
QList<QByteArray> CollectTagNames(QByteArrayView text, QByteArrayView tagPrefix, QByteArrayView attrPrefix);

// The names in the document's text, decoded from the document's encoding, so
// writing one back gives the same bytes.
QStringList CollectTagNames(const TextDocument &document, const QString &tagPrefix, const QString &attrPrefix);
