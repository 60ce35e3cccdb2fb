#pragma once

#include "check/CheckFinding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Tidy keeps the whole tree in memory, about 20 times the page.
constexpr qsizetype MaxMarkupCheckBytes = 64 * 1024 * 1024;

struct MarkupCheckOptions
{
    // Legacy elements (LAYER, FONT, CENTER, ...) are named once per page as obsolete.
    bool reportObsolete = true;
    // The checker's own messages kept per page; a hostile page can make millions.
    int maxMessages = 2000;
};

struct MarkupMessage
{
    CheckSeverity severity = CheckSeverity::Error;
    int line = 0;    // 1-based; 0 for the whole page
    int column = 0;  // 1-based, in characters
    QByteArray key;  // the checker's message key, as MISSING_ENDTAG_BEFORE
    QString message;
};

// libtidy's messages about the page, in report-only mode: the bytes are parsed
// as UTF-8 or Latin-1 (a byte-order mark is allowed) and nothing is written.
// Messages that the link and picture checks give better (missing ALT, duplicate
// anchors) are left out; obsolete elements come once per element name, at the
// first place, with a count. Safe to call from any one thread at a time per call.
QList<MarkupMessage> CheckMarkup(QByteArrayView bytes, bool utf8, const MarkupCheckOptions &options = {});
