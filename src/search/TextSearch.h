#pragma once

#include "search/SearchText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>

// The options of a search beside its find text. All off is the plain
// forward literal search.
struct SearchOptions
{
    bool matchCase = false;
    bool wholeWord = false;
    bool regex = false;
};

struct TextMatch
{
    qsizetype start = -1;
    qsizetype length = 0;
    bool found() const { return start >= 0; }
    qsizetype end() const { return start + length; }
};

// ASCII letters, digits, '_' and every byte above 127 (the bytes of non-ASCII
// letters in UTF-8 and of the accented letters of Latin-1).
bool IsWordByte(unsigned char c);

// One search over a text's own bytes, literal or a PCRE2 regular expression
// (JIT), without copying the text. `find` is in the text's encoding; `utf8`
// says the text is UTF-8: a regular expression then works on characters and
// an invalid sequence never matches, while a byte text (Latin-1, damaged pages)
// is searched byte by byte. `^` and `$` match at every line end, CR LF, LF or CR.
class TextSearcher
{
public:
    TextSearcher(QByteArrayView find, const SearchOptions &options, bool utf8);
    ~TextSearcher();
    TextSearcher(const TextSearcher &) = delete;
    TextSearcher &operator=(const TextSearcher &) = delete;

    // False for an empty find text or a malformed pattern; error() says why.
    bool isValid() const { return m_valid; }
    // Why the searcher is not valid, or why the last search stopped (the
    // pattern needed too much backtracking); empty otherwise.
    QString error() const { return m_error; }

    // The first match that starts at or after `from`. With `notEmptyAt` equal
    // to `from`, an empty match there is passed over (the one just found).
    TextMatch findForward(QByteArrayView text, qsizetype from, qsizetype notEmptyAt = -1);
    // The last match that starts before `before`.
    TextMatch findBackward(QByteArrayView text, qsizetype before);

    // Appends what the last match found becomes: the replacement as given, or
    // for a regular expression with \0 to \9 (the match and its groups), \n,
    // \r, \t and \\ expanded; any other backslash stays as typed.
    void appendReplacement(QByteArray &out, QByteArrayView text, QByteArrayView replacement) const;
    // A replacement naming a group the pattern lacks; empty when fine.
    QString replacementError(QByteArrayView replacement) const;

    // Every match from `first` on, left to right, replaced; count 0 when none
    // (or when error() is set: then nothing is to be written).
    ReplaceAllResult replaceAll(QByteArrayView text, qsizetype first, QByteArrayView replacement);

private:
    TextMatch matchAt(QByteArrayView text, qsizetype from, bool notEmptyAtStart);
    TextMatch literalAt(QByteArrayView text, qsizetype from);
    bool acceptable(QByteArrayView text, const TextMatch &m) const;
    qsizetype nextCharacter(QByteArrayView text, qsizetype at) const;

    struct Regex;
    std::unique_ptr<Regex> m_regex;
    QByteArray m_find;
    QByteArray m_prefix;  // bytes every match of the expression starts with
    SearchOptions m_options;
    bool m_utf8;
    bool m_valid = false;
    QString m_error;
    TextMatch m_last;
};

// The bytes every match of a regular expression begins with, when its start
// is plain ASCII text: a fast literal search finds where a match can start.
// Empty when in doubt (any alternation, a quantified last character).
QByteArray RegexLiteralPrefix(QByteArrayView pattern);

// Where Find Next searches from with these options: the literal search keeps
// its rule (SearchStartPosition); a regular expression goes on after the
// selected match.
qsizetype NextSearchStart(QByteArrayView text, qsizetype selStart, qsizetype selLength, qsizetype findLength,
                          bool regex);
