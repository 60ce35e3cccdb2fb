#pragma once

// The name scan written the plain way (lower-cased copies, a search per tag),
// to check the one-pass scan against. Quadratic on purpose: small inputs only.

#include "objects/TagNameScan.h"

inline QList<TagNameSpan> ReferenceTagNames(QByteArrayView text, QByteArrayView tagPrefix, QByteArrayView attrPrefix)
{
    QList<TagNameSpan> names;
    if (tagPrefix.isEmpty())
        return names;
    const QByteArray t = text.toByteArray().toLower();
    const QByteArray tp = tagPrefix.toByteArray().toLower();
    const QByteArray ap = attrPrefix.toByteArray().toLower();
    qsizetype from = 0;
    qsizetype tag;
    while ((tag = t.indexOf(tp, from)) >= 0) {
        const qsizetype body = tag + tp.size();
        const qsizetype end = t.indexOf('>', body);
        if (end < 0)
            break;
        const QByteArray tagText = t.mid(body, end - body);
        const qsizetype attr = tagText.indexOf(ap);
        if (attr >= 0) {
            const qsizetype close = tagText.indexOf('"', attr + ap.size());
            if (close >= 0)
                names.append({body + attr + ap.size(), close - attr - ap.size()});
        }
        from = body;
    }
    return names;
}
