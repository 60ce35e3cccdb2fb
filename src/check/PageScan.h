#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// A plain scan of a page's tags for the attributes the link and picture checks
// read. It parses nothing else: comments and the contents of SCRIPT and STYLE
// are skipped, anything else between tags is text. Linear in the text.

struct ScannedAttribute
{
    QByteArray name;        // upper case
    qsizetype valueOffset;  // where the raw value starts in the text (after any quote)
    qsizetype valueLength;  // raw bytes, entities not decoded
    bool hasValue = false;
};

struct ScannedTag
{
    QByteArray name;                     // upper case
    qsizetype offset = 0;                // of the "<"
    qsizetype length = 0;                // to the ">" included, or to the end of the text
    QList<ScannedAttribute> attributes;  // only those the checks read, in the order written

    const ScannedAttribute *attribute(const char *upperName) const;
};

struct PageScanLimits
{
    qsizetype maxTags = 2 * 1000 * 1000;
    int maxAttributesPerTag = 64;
};

// Tags that carry a link, a picture, an ID or an anchor name, IMG, MAP and BASE.
QList<ScannedTag> ScanPageTags(QByteArrayView text, const PageScanLimits &limits = {});

// The raw value of an attribute as written in the text.
inline QByteArrayView AttributeBytes(QByteArrayView text, const ScannedAttribute &a)
{
    return text.sliced(a.valueOffset, a.valueLength);
}
