#include "search/SearchText.h"

#include <array>
#include <bit>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::array<unsigned char, 256> makeFoldTable()
{
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = (i >= 'A' && i <= 'Z') ? static_cast<unsigned char>(i + ('a' - 'A')) : static_cast<unsigned char>(i);
    return t;
}
constexpr std::array<unsigned char, 256> kFold = makeFoldTable();

// How common a byte is in markup text: the search scans for the rarest byte of
// the find text, so it stops at as few false candidates as possible.
constexpr std::array<unsigned char, 256> makeCommonness()
{
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = 1;
    for (int c = '0'; c <= '9'; ++c)
        t[c] = 20;
    const char *letters = "zqxjkvbpygfwmucldrhsnioate";  // rising frequency in text
    for (int i = 0; letters[i]; ++i) {
        const int c = static_cast<unsigned char>(letters[i]);
        t[c] = static_cast<unsigned char>(40 + 8 * i);
        t[c - ('a' - 'A')] = static_cast<unsigned char>(10 + 4 * i);
    }
    for (const char c : {'<', '>', '/', '"', '=', '\r', '\n', '.', ','})
        t[static_cast<unsigned char>(c)] = 170;
    t[static_cast<unsigned char>(' ')] = 255;
    return t;
}
constexpr std::array<unsigned char, 256> kCommonness = makeCommonness();

int commonness(unsigned char c, bool matchCase)
{
    // Without match case an upper-case letter also stops at its lower-case twin.
    return kCommonness[matchCase ? c : kFold[c]];
}

bool equalFolded(const unsigned char *a, const unsigned char *b, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i) {
        if (kFold[a[i]] != kFold[b[i]])
            return false;
    }
    return true;
}

// Next byte equal to `lo` or `hi` in [p, end), remembering each one's next hit
// so that both scans stay memchr-fast.
class ByteRangeScanner
{
public:
    ByteRangeScanner(unsigned char lo, unsigned char hi, const unsigned char *end) : m_lo(lo), m_hi(hi), m_end(end) {}

    const unsigned char *next(const unsigned char *p)
    {
        if (m_nextLo < p)
            m_nextLo = scan(p, m_lo);
        if (m_lo == m_hi)
            return m_nextLo;
        if (m_nextHi < p)
            m_nextHi = scan(p, m_hi);
        return m_nextLo < m_nextHi ? m_nextLo : m_nextHi;
    }

private:
    const unsigned char *scan(const unsigned char *p, unsigned char c) const
    {
        if (p >= m_end)
            return m_end;
        const void *hit = std::memchr(p, c, static_cast<size_t>(m_end - p));
        return hit ? static_cast<const unsigned char *>(hit) : m_end;
    }

    unsigned char m_lo;
    unsigned char m_hi;
    const unsigned char *m_end;
    const unsigned char *m_nextLo = nullptr;
    const unsigned char *m_nextHi = nullptr;
};

#if defined(__SSE2__)
// Tests 16 candidate starts at once on two bytes of the find text. Without
// match case each is folded by setting bit 0x20 when it is a letter (a few
// other bytes fold with them; the full comparison sorts those out).
qsizetype findPairs(const unsigned char *hay, qsizetype n, qsizetype from, const unsigned char *needle, qsizetype m,
                    qsizetype i1, qsizetype i2, bool matchCase)
{
    const auto isLetter = [](unsigned char c) { return kFold[c] >= 'a' && kFold[c] <= 'z'; };
    const auto fold = [&](unsigned char c) { return matchCase ? c : kFold[c]; };
    const auto foldBit = [&](unsigned char c) { return char(!matchCase && isLetter(c) ? 0x20 : 0); };
    const auto equal = [&](const unsigned char *at) {
        return matchCase ? std::memcmp(at, needle, size_t(m)) == 0 : equalFolded(at, needle, m);
    };
    const unsigned char c1 = fold(needle[i1]), c2 = fold(needle[i2]);
    const __m128i want1 = _mm_set1_epi8(char(c1)), want2 = _mm_set1_epi8(char(c2));
    const __m128i fold1 = _mm_set1_epi8(foldBit(c1)), fold2 = _mm_set1_epi8(foldBit(c2));
    const qsizetype lastStart = n - m;
    qsizetype p = from;
    const auto hits = [&](qsizetype at) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(hay + at + i1));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(hay + at + i2));
        return unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a, fold1), want1),
                                                        _mm_cmpeq_epi8(_mm_or_si128(b, fold2), want2))));
    };
    const auto verify = [&](qsizetype at, unsigned mask) -> qsizetype {
        while (mask) {
            const qsizetype start = at + std::countr_zero(mask);
            if (equal(hay + start))
                return start;
            mask &= mask - 1;
        }
        return -1;
    };
    for (; p + 31 <= lastStart; p += 32) {
        const unsigned lo = hits(p), hi = hits(p + 16);
        if ((lo | hi) == 0)
            continue;
        if (const qsizetype at = verify(p, lo); at >= 0)
            return at;
        if (const qsizetype at = verify(p + 16, hi); at >= 0)
            return at;
    }
    for (; p + 15 <= lastStart; p += 16) {
        if (const qsizetype at = verify(p, hits(p)); at >= 0)
            return at;
    }
    for (; p <= lastStart; ++p) {
        if (equal(hay + p))
            return p;
    }
    return -1;
}
#endif

}  // namespace

qsizetype FindBytes(QByteArrayView text, qsizetype from, QByteArrayView find, bool matchCase)
{
    const qsizetype n = text.size();
    const qsizetype m = find.size();
    if (m == 0 || from < 0 || from > n || n - from < m)
        return -1;
    const auto *hay = reinterpret_cast<const unsigned char *>(text.data());
    const auto *needle = reinterpret_cast<const unsigned char *>(find.data());

    qsizetype anchor = 0;
    for (qsizetype i = 1; i < m; ++i) {
        if (commonness(needle[i], matchCase) < commonness(needle[anchor], matchCase))
            anchor = i;
    }
#if defined(__SSE2__)
    // A byte scan stops at every copy of its byte (two letters without case,
    // and markup's common bytes); a pair of bytes at their distance makes few
    // false stops.
    if (m >= 2) {
        qsizetype second = anchor == 0 ? 1 : 0;
        for (qsizetype i = 0; i < m; ++i) {
            if (i != anchor && commonness(needle[i], matchCase) < commonness(needle[second], matchCase))
                second = i;
        }
        return findPairs(hay, n, from, needle, m, anchor, second, matchCase);
    }
#endif
    unsigned char lo = needle[anchor];
    unsigned char hi = lo;
    if (!matchCase) {
        lo = kFold[needle[anchor]];
        hi = (lo >= 'a' && lo <= 'z') ? static_cast<unsigned char>(lo - ('a' - 'A')) : lo;
    }

    // Candidates are the anchor bytes of every start from `from` to n - m.
    const unsigned char *scanEnd = hay + (n - m) + anchor + 1;
    ByteRangeScanner scanner(lo, hi, scanEnd);
    const unsigned char *p = hay + from + anchor;
    while (true) {
        p = scanner.next(p);
        if (p >= scanEnd)
            return -1;
        const unsigned char *start = p - anchor;
        const bool same = matchCase ? std::memcmp(start, needle, static_cast<size_t>(m)) == 0
                                    : equalFolded(start, needle, m);
        if (same)
            return start - hay;
        ++p;
    }
}

qsizetype SearchStartPosition(qsizetype textLength, qsizetype selStart, qsizetype selLength, qsizetype findLength)
{
    selStart = qBound<qsizetype>(0, selStart, textLength);
    if (selLength <= 0)
        return selStart;
    return qMin(textLength, selStart + qMax<qsizetype>(findLength - 1, 1));
}

qsizetype FindNextPosition(QByteArrayView text, qsizetype selStart, qsizetype selLength, QByteArrayView find,
                           bool matchCase)
{
    if (find.isEmpty())
        return -1;
    return FindBytes(text, SearchStartPosition(text.size(), selStart, selLength, find.size()), find, matchCase);
}

ReplaceAllResult ReplaceAllMatches(QByteArrayView text, qsizetype first, QByteArrayView find,
                                   QByteArrayView replacement, bool matchCase)
{
    ReplaceAllResult result;
    const qsizetype m = find.size();
    std::vector<qsizetype> hits;
    for (qsizetype p = FindBytes(text, first, find, matchCase); p >= 0; p = FindBytes(text, p + m, find, matchCase))
        hits.push_back(p);
    if (hits.empty())
        return result;

    result.from = hits.front();
    result.to = hits.back() + m;
    result.count = qsizetype(hits.size());
    const qsizetype kept = (result.to - result.from) - result.count * m;
    result.bytes.reserve(kept + result.count * replacement.size());
    qsizetype copied = result.from;
    for (const qsizetype hit : hits) {
        result.bytes.append(text.sliced(copied, hit - copied));
        result.bytes.append(replacement);
        copied = hit + m;
    }
    return result;
}
