#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

class QDate;

// The texts of the new-link marker, from plain values. The head part names the
// picture once per document; each checker shows it beside a link until the link
// is a number of days old. Both are entries of the JavaScript entries file.

inline constexpr int NewLinkHeadEntry = 3;
inline constexpr int NewLinkCheckerEntry = 4;

// A day as the date field shows it: "MM/DD/YY".
QString NewLinkDateText(const QDate &date);
// Whether "MM/DD/YY" is complete and names a real day. Two-digit years are read
// as the checker script reads them: 00 to 69 are 2000 to 2069, 70 to 99 are 1970 to 1999.
bool IsNewLinkDate(const QString &text);

// The checker's date expression: the date in single quotes, or the page's own
// last-modified date.
QString NewLinkDateExpression(bool onThisDate, const QString &dateText);

// The parameter texts of the two entries. The head part's values become
// JavaScript strings, so they are escaped for one (see JsScriptValue).
QString NewLinkCheckerParams(int days, const QString &dateExpression);
QString NewLinkHeadParams(const QString &picture, const QString &alignment, const QString &altText,
                          bool utf8Document = true);

// The filled entries as OK writes them, from the entries file's text; nothing
// when the file lacks the entry. The head part goes on a line of its own.
std::optional<QString> NewLinkCheckerText(const QString &entriesFile, int days, const QString &dateExpression);
std::optional<QString> NewLinkHeadText(const QString &entriesFile, const QString &picture, const QString &alignment,
                                       const QString &altText, bool utf8Document = true);
// The same for an entry already read (nothing stays nothing).
std::optional<QString> NewLinkHeadLine(const std::optional<QString> &entry);

// The alignment group's item for a stored alignment ("LEFT" ... "ABSBOTTOM", the
// values the group writes); item 0 for anything else.
int NewLinkAlignmentIndex(const QString &alignment);

// Byte offset of the first "</head>" in any case; -1 when there is none.
qsizetype FindHeadEnd(QByteArrayView text);
