#pragma once

#include <QByteArray>
#include <QByteArrayView>

class ContextIndex;

// Bytes [begin, end) of a document, read in place: the editor keeps its text
// in two parts around a gap, so the window may come in two pieces. Positions
// are document offsets. Nothing here copies the window.
class MarkupText
{
public:
    explicit MarkupText(QByteArrayView whole) : m_first(whole), m_docLength(int(whole.size())) {}
    // `first` holds the bytes from `begin` on, `second` those right after it.
    MarkupText(QByteArrayView first, QByteArrayView second, int begin, int docLength)
        : m_first(first), m_second(second), m_begin(begin), m_docLength(docLength)
    {}

    int begin() const { return m_begin; }
    int end() const { return m_begin + int(m_first.size() + m_second.size()); }
    int docLength() const { return m_docLength; }

    // What the caller keeps of the whole document's comments and scripts:
    // looks at what a place lies in ask it instead of reading back.
    ContextIndex *index() const { return m_index; }
    MarkupText withIndex(ContextIndex *index) const
    {
        MarkupText t = *this;
        t.m_index = index;
        return t;
    }

    // 0 outside the window.
    char at(int pos) const
    {
        qsizetype i = qsizetype(pos) - m_begin;
        if (i < 0)
            return 0;
        if (i < m_first.size())
            return m_first[i];
        i -= m_first.size();
        return i < m_second.size() ? m_second[i] : '\0';
    }
    // The first `c` in [from, to), or -1.
    int find(char c, int from, int to) const;
    // The last `c` in [from, to), or -1.
    int findLast(char c, int from, int to) const;
    // The last `a` or `b` in [from, to), or -1.
    int findLastOf(char a, char b, int from, int to) const;
    // Whether the bytes at pos are `s`, letters compared without case when `anyCase`.
    bool matchesAt(int pos, QByteArrayView s, bool anyCase = false) const;
    // The first `s` that lies wholly in [from, to), or -1.
    int findText(QByteArrayView s, int from, int to) const;
    QByteArray slice(int from, int to) const;

    // The window's bytes as they lie in memory, with the offset of each piece's first byte.
    struct Piece
    {
        QByteArrayView bytes;
        int begin;
    };
    Piece firstPiece() const { return {m_first, m_begin}; }
    Piece secondPiece() const { return {m_second, m_begin + int(m_first.size())}; }

private:
    QByteArrayView m_first, m_second;
    int m_begin = 0;
    int m_docLength = 0;
    ContextIndex *m_index = nullptr;
};
