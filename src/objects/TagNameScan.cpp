#include "objects/TagNameScan.h"

#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"

#include <array>
#include <cstring>
#include <optional>

namespace {

constexpr std::array<unsigned char, 256> makeFold()
{
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = (i >= 'A' && i <= 'Z') ? (unsigned char)(i + 32) : (unsigned char)i;
    return t;
}
constexpr std::array<unsigned char, 256> Fold = makeFold();

// Finds the next occurrence of a needle (ASCII case ignored) at or after a
// position. The last answer is kept: it stays right for every later start up
// to the occurrence found, so the callers' forward starts scan each byte a
// bounded number of times however the tags nest or overlap.
class ForwardFinder
{
public:
    ForwardFinder(QByteArrayView text, QByteArrayView needle) : m_text(text), m_needle(needle)
    {
        const unsigned char c = (unsigned char)needle.front();
        m_first = Fold[c];
        m_caseless = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    }

    // Position of the occurrence, or -1.
    qsizetype find(qsizetype start)
    {
        if (m_from < 0 || start < m_from || (m_at >= 0 && start > m_at)) {
            m_from = start;
            m_at = search(start);
        }
        return m_at;
    }

private:
    bool matchesAt(qsizetype p) const
    {
        const auto *t = reinterpret_cast<const unsigned char *>(m_text.data()) + p;
        const auto *n = reinterpret_cast<const unsigned char *>(m_needle.data());
        for (qsizetype i = 1; i < m_needle.size(); ++i)
            if (Fold[t[i]] != Fold[n[i]])
                return false;
        return true;
    }

    qsizetype search(qsizetype start) const
    {
        const qsizetype last = m_text.size() - m_needle.size();  // last possible start
        const auto *data = reinterpret_cast<const unsigned char *>(m_text.data());
        qsizetype p = start;
        while (p <= last) {
            if (m_caseless) {
                while (p <= last && Fold[data[p]] != m_first)
                    ++p;
                if (p > last)
                    return -1;
            } else {
                const void *hit = std::memchr(data + p, m_first, size_t(last - p + 1));
                if (!hit)
                    return -1;
                p = static_cast<const unsigned char *>(hit) - data;
            }
            if (matchesAt(p))
                return p;
            ++p;
        }
        return -1;
    }

    QByteArrayView m_text;
    QByteArrayView m_needle;
    unsigned char m_first = 0;
    bool m_caseless = false;
    qsizetype m_from = -1;
    qsizetype m_at = -1;
};

}  // namespace

QList<TagNameSpan> FindTagNames(QByteArrayView text, QByteArrayView tagPrefix, QByteArrayView attrPrefix)
{
    QList<TagNameSpan> names;
    if (tagPrefix.isEmpty() || text.isEmpty())
        return names;
    const char gt = '>';
    const char quote = '"';
    ForwardFinder tags(text, tagPrefix);
    ForwardFinder tagEnds(text, QByteArrayView(&gt, 1));
    ForwardFinder quotes(text, QByteArrayView(&quote, 1));
    // An empty attribute prefix matches at the start of every tag text.
    std::optional<ForwardFinder> attrs;
    if (!attrPrefix.isEmpty())
        attrs.emplace(text, attrPrefix);

    qsizetype from = 0;
    for (;;) {
        const qsizetype tag = tags.find(from);
        if (tag < 0)
            break;
        const qsizetype body = tag + tagPrefix.size();
        const qsizetype end = tagEnds.find(body);
        if (end < 0)
            break;  // no ">" in the rest: no later tag can end either
        const qsizetype attr = attrs ? attrs->find(body) : body;
        if (attr >= 0 && attr + attrPrefix.size() <= end) {
            const qsizetype name = attr + attrPrefix.size();
            const qsizetype close = quotes.find(name);
            if (close >= 0 && close < end)
                names.append({name, close - name});
        }
        from = body;
    }
    return names;
}

QList<QByteArray> CollectTagNames(QByteArrayView text, QByteArrayView tagPrefix, QByteArrayView attrPrefix)
{
    QList<QByteArray> out;
    const QList<TagNameSpan> spans = FindTagNames(text, tagPrefix, attrPrefix);
    out.reserve(spans.size());
    for (const TagNameSpan &s : spans)
        out.append(text.sliced(s.offset, s.length).toByteArray());
    return out;
}

QStringList CollectTagNames(const TextDocument &document, const QString &tagPrefix, const QString &attrPrefix)
{
    const TColorMemo *memo = document.editor();
    const QByteArrayView text = memo->textView();
    QStringList out;
    for (const TagNameSpan &s : FindTagNames(text, memo->encode(tagPrefix), memo->encode(attrPrefix)))
        out.append(memo->decode(text.sliced(s.offset, s.length)));
    return out;
}
