#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Forward-only search over a document's bytes. Without match case only the
// letters A to Z fold to a to z; every other byte, NUL and bytes above 127
// included, must match exactly.

// First offset at or after `from` where `find` starts, or -1. An empty `find` never matches.
qsizetype FindBytes(QByteArrayView text, qsizetype from, QByteArrayView find, bool matchCase);

// Where the next search starts: at the caret when nothing is selected; with a
// selection, on the last byte a match of `findLength` bytes at the selection
// start would cover, and never on the selection start itself, so the selected
// match is passed over while overlapping matches are still found.
qsizetype SearchStartPosition(qsizetype textLength, qsizetype selStart, qsizetype selLength, qsizetype findLength);

// The next match after the caret or selection, or -1.
qsizetype FindNextPosition(QByteArrayView text, qsizetype selStart, qsizetype selLength, QByteArrayView find,
                           bool matchCase);

// Replacing every match that starts at or after `first`, left to right without
// overlaps, as the one stretch [from, to) of the old text that changes and the
// bytes it becomes; count 0 and from -1 when there is no match.
struct ReplaceAllResult
{
    qsizetype from = -1;
    qsizetype to = -1;
    QByteArray bytes;
    qsizetype count = 0;
};
ReplaceAllResult ReplaceAllMatches(QByteArrayView text, qsizetype first, QByteArrayView find,
                                   QByteArrayView replacement, bool matchCase);
