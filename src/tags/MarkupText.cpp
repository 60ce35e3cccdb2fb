#include "tags/MarkupText.h"

#include "tags/MarkupChars.h"

#include <algorithm>
#include <cstring>

namespace {
using markup::lower;

// memrchr is glibc's own; this runs everywhere, eight bytes at a time.
const char *lastOf(const char *from, const char *to, char c)
{
    constexpr quint64 Ones = 0x0101010101010101ULL;
    constexpr quint64 Highs = 0x8080808080808080ULL;
    const quint64 pattern = Ones * static_cast<unsigned char>(c);
    while (to - from >= 8) {
        quint64 word;
        std::memcpy(&word, to - 8, 8);
        const quint64 x = word ^ pattern;
        if ((x - Ones) & ~x & Highs)
            break;  // one of these eight bytes is c
        to -= 8;
    }
    while (to > from) {
        if (*--to == c)
            return to;
    }
    return nullptr;
}
const char *lastOf(const char *from, const char *to, char a, char b)
{
    while (to > from) {
        const char c = *--to;
        if (c == a || c == b)
            return to;
    }
    return nullptr;
}
}  // namespace

int MarkupText::findLastOf(char a, char b, int from, int to) const
{
    from = std::max(from, m_begin);
    to = std::min(to, end());
    const int split = m_begin + int(m_first.size());
    if (to > split && from < to) {
        const int start = std::max(from, split);
        const char *base = m_second.data() - split;
        if (const char *hit = lastOf(base + start, base + to, a, b))
            return int(hit - base);
        to = start;
    }
    if (from < to) {
        const char *base = m_first.data() - m_begin;
        if (const char *hit = lastOf(base + from, base + to, a, b))
            return int(hit - base);
    }
    return -1;
}

int MarkupText::find(char c, int from, int to) const
{
    from = std::max(from, m_begin);
    to = std::min(to, end());
    const int split = m_begin + int(m_first.size());
    if (from < split && from < to) {
        const int stop = std::min(to, split);
        const char *base = m_first.data() - m_begin;
        if (const void *hit = std::memchr(base + from, c, size_t(stop - from)))
            return int(static_cast<const char *>(hit) - base);
        from = stop;
    }
    if (from < to) {
        const char *base = m_second.data() - split;
        if (const void *hit = std::memchr(base + from, c, size_t(to - from)))
            return int(static_cast<const char *>(hit) - base);
    }
    return -1;
}

int MarkupText::findLast(char c, int from, int to) const
{
    from = std::max(from, m_begin);
    to = std::min(to, end());
    const int split = m_begin + int(m_first.size());
    if (to > split && from < to) {
        const int start = std::max(from, split);
        const char *base = m_second.data() - split;
        if (const char *hit = lastOf(base + start, base + to, c))
            return int(hit - base);
        to = start;
    }
    if (from < to) {
        const char *base = m_first.data() - m_begin;
        if (const char *hit = lastOf(base + from, base + to, c))
            return int(hit - base);
    }
    return -1;
}

bool MarkupText::matchesAt(int pos, QByteArrayView s, bool anyCase) const
{
    if (pos < m_begin || pos + s.size() > end())
        return false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char c = at(pos + int(i));
        if (anyCase ? lower(c) != lower(s[i]) : c != s[i])
            return false;
    }
    return true;
}

int MarkupText::findText(QByteArrayView s, int from, int to) const
{
    if (s.isEmpty())
        return -1;
    for (int p = find(s[0], from, to); p >= 0 && p + s.size() <= to; p = find(s[0], p + 1, to)) {
        if (matchesAt(p, s))
            return p;
    }
    return -1;
}

QByteArray MarkupText::slice(int from, int to) const
{
    from = std::max(from, m_begin);
    to = std::min(to, end());
    QByteArray out;
    out.reserve(std::max(0, to - from));
    for (int p = from; p < to; ++p)
        out.append(at(p));
    return out;
}
