#include "editor/ColorRules.h"

#include <algorithm>
#include <cstring>

namespace {

bool isLetter(char c)
{
    const unsigned char u = static_cast<unsigned char>(c) | 0x20;
    return u >= 'a' && u <= 'z';
}

char upperAscii(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return static_cast<char>(u - (static_cast<unsigned char>(u - 'a') < 26 ? 32 : 0));
}

QByteArray upperAscii(QByteArrayView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = upperAscii(text[i]);
    return out;
}

QByteArray lowerAscii(QByteArrayView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const unsigned char u = static_cast<unsigned char>(text[i]);
        out[i] = static_cast<char>(u + (static_cast<unsigned char>(u - 'A') < 26 ? 32 : 0));
    }
    return out;
}

bool isBlank(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

QByteArrayView trimmed(QByteArrayView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    return text.sliced(b, e - b);
}

// A rough share (per mille) of each byte in hand-written HTML, upper-cased: the
// search looks for the rarest byte of a keyword first, so that common bytes
// such as "<" cost less.
int byteWeight(unsigned char c)
{
    // A to Z: English letter shares, scaled for the markup around the prose.
    static const unsigned char letters[26] = {49, 9,  17, 26, 76, 13, 12, 37, 42, 2,  5, 24, 14,
                                              40, 45, 11, 1,  36, 38, 55, 17, 6,  14, 2, 12, 1};
    if (c >= 'a' && c <= 'z')
        c = static_cast<unsigned char>(c - 32);
    if (c >= 'A' && c <= 'Z')
        return letters[c - 'A'];
    switch (c) {
    case ' ':
        return 150;
    case '<':
    case '>':
        return 40;
    case '"':
        return 30;
    case '/':
    case '=':
        return 20;
    case '\r':
    case '\n':
    case '\t':
    case '.':
    case ',':
        return 10;
    default:
        break;
    }
    if (c >= '0' && c <= '9')
        return 10;
    return c >= 128 ? 3 : 4;
}

// First occurrence of needle in hay at or after pos, or -1. anchor is the needle
// byte that memchr looks for.
qsizetype findBytes(const char *hay, qsizetype len, qsizetype pos, const char *needle, qsizetype m,
                    qsizetype anchor = 0)
{
    if (m <= 0)
        return pos <= len ? pos : -1;
    if (pos < 0 || m > len - pos)
        return -1;
    const char a = needle[anchor];
    const char *p = hay + pos + anchor;
    const char *last = hay + len - m + anchor;  // last place the anchor byte may sit
    while (p <= last) {
        p = static_cast<const char *>(std::memchr(p, a, size_t(last - p + 1)));
        if (!p)
            return -1;
        const char *start = p - anchor;
        // Most candidates fail on their first or last byte: test those before memcmp.
        if (start[0] == needle[0] && start[m - 1] == needle[m - 1]
            && (m <= 2 || std::memcmp(start + 1, needle + 1, size_t(m - 2)) == 0))
            return start - hay;
        ++p;
    }
    return -1;
}

struct NamedColor
{
    const char *name;
    TColor color;
};

constexpr NamedColor namedColors[] = {
    {"BLACK", 0x000000},   {"MAROON", 0x000080}, {"GREEN", 0x008000},  {"OLIVE", 0x008080},
    {"NAVY", 0x800000},    {"PURPLE", 0x800080}, {"TEAL", 0x808000},   {"GRAY", 0x808080},
    {"RED", 0x0000FF},     {"LIME", 0x00FF00},   {"YELLOW", 0x00FFFF}, {"BLUE", 0xFF0000},
    {"FUCHSIA", 0xFF00FF}, {"AQUA", 0xFFFF00},   {"WHITE", 0xFFFFFF},  {"SILVER", 0xC0C0C0},
};

// "$" followed by hexadecimal digits that fit 32 bits; false for anything else.
bool hexToInt(QByteArrayView text, quint32 &value)
{
    if (text.size() < 2 || text[0] != '$')
        return false;
    quint64 v = 0;
    for (qsizetype i = 1; i < text.size(); ++i) {
        const char c = text[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        v = v * 16 + quint64(d);
        if (v > 0xFFFFFFFFu)
            return false;
    }
    value = quint32(v);
    return true;
}

TColor colorOrDefault(QByteArrayView colorText, TColor def)
{
    return isBlank(colorText) ? def : ParseRuleColor(colorText);
}

void setMarker(char (&dst)[TColorRule::MarkerMax], quint8 &len, QByteArrayView text)
{
    len = quint8(std::min<qsizetype>(text.size(), TColorRule::MarkerMax));
    std::memcpy(dst, text.data(), len);
}

}  // namespace

TKeyDescrList::TKeyDescrList(int capacity) : m_items(size_t(std::max(capacity, 0))) {}

void TKeyDescrList::reset()
{
    for (TKeyDescr &r : m_items)
        r.StartPos = TKeyDescr::FreePos;
    MinColorPos = MaxColorPos = -1;
}

int TKeyDescrList::put(int next, const TKeyDescr &range)
{
    if (size_t(next) >= m_items.size())
        m_items.resize(size_t(next) + 1);
    m_items[size_t(next)] = range;
    if (MinColorPos < 0 || range.StartPos < MinColorPos)
        MinColorPos = range.StartPos;
    if (range.EndPos > MaxColorPos)
        MaxColorPos = range.EndPos;
    return next + 1;
}

TColor ParseRuleColor(QByteArrayView text)
{
    char buf[12];
    const QByteArrayView t = trimmed(text);
    qsizetype n = std::min<qsizetype>(t.size(), 10);
    for (qsizetype i = 0; i < n; ++i)
        buf[i + 1] = upperAscii(t[i]);
    QByteArrayView word(buf + 1, n);
    for (const NamedColor &c : namedColors) {
        if (word == QByteArrayView(c.name))
            return c.color;
    }
    if (const qsizetype hash = word.indexOf('#'); hash >= 0) {
        std::memmove(buf + 1 + hash, buf + 2 + hash, size_t(n - hash - 1));
        --n;
    }
    QByteArrayView number(buf + 1, n);
    if (!number.contains('$')) {
        buf[0] = '$';
        number = QByteArrayView(buf, n + 1);
    }
    quint32 v;
    if (!hexToInt(number, v))
        return clRuleWhite;
    return (v & 0xFF00) + ((v & 0xFF) << 16) + ((v & 0xFF0000) >> 16);
}

// ---- TColorRule

TColorRule::TColorRule(TDrawRules *collection) : m_collection(collection) {}

void TColorRule::SetKeywords(const QList<QByteArray> &lines)
{
    m_keywords = lines;
    m_listsChanged = true;
}

void TColorRule::SetKeyBegEndLst(const QList<QByteArray> &lines)
{
    m_keyBegEndLst = lines;
    m_listsChanged = true;
}

void TColorRule::SetKeyLineEndLst(const QList<QByteArray> &lines)
{
    m_keyLineEndLst = lines;
    m_listsChanged = true;
}

void TColorRule::Assign(const TColorRule &source)
{
    if (&source == this)
        return;
    KeyDrawingType = source.KeyDrawingType;
    ZOrder = source.ZOrder;
    KeyMaxHeight = source.KeyMaxHeight;
    KeyCase = source.KeyCase;
    Enabled = source.Enabled;
    PartWord = source.PartWord;
    DefKeyColor = source.DefKeyColor;
    KeyBrushColor = source.KeyBrushColor;
    SetKeywords(source.m_keywords);
    SetKeyLineEndLst(source.m_keyLineEndLst);
    SetKeyBegEndLst(source.m_keyBegEndLst);
}

void TColorRule::PrepareTables()
{
    if (m_built && !m_listsChanged && m_builtKeyCase == KeyCase && m_builtType == KeyDrawingType
        && m_builtDefColor == DefKeyColor)
        return;
    buildKeywordTable();
    buildMarkersFromBegEnd();
    if (KeyDrawingType == dtBeginLineEnd)
        buildMarkersFromLineEnd();
    m_built = true;
    m_listsChanged = false;
    m_builtKeyCase = KeyCase;
    m_builtType = KeyDrawingType;
    m_builtDefColor = DefKeyColor;
}

void TColorRule::buildKeywordTable()
{
    m_keywordTable.clear();
    for (const QByteArray &line : std::as_const(m_keywords)) {
        if (isBlank(line))
            continue;
        const qsizetype semi = line.indexOf(';');
        const QByteArrayView keyword = semi < 0 ? QByteArrayView(line) : QByteArrayView(line).first(semi);
        const QByteArrayView colorText = semi < 0 ? QByteArrayView() : QByteArrayView(line).sliced(semi + 1);
        if (isBlank(keyword))
            continue;
        KeywordEntry e;
        e.keyword = KeyCase ? keyword.toByteArray() : upperAscii(keyword);
        e.color = colorOrDefault(colorText, DefKeyColor);
        const qsizetype m = std::min<qsizetype>(e.keyword.size(), KeywordSearchMax);
        int best = 0;
        for (qsizetype i = 1; i < m; ++i) {
            if (byteWeight(static_cast<unsigned char>(e.keyword[i]))
                < byteWeight(static_cast<unsigned char>(e.keyword[best])))
                best = int(i);
        }
        e.anchor = quint8(best);
        m_keywordTable.push_back(std::move(e));
    }
}

void TColorRule::buildMarkersFromBegEnd()
{
    m_markerTable.fill(MarkerEntry{});
    const int lines = std::min<int>(int(m_keyBegEndLst.size()), MarkerSlots);
    for (int i = 0; i < lines; ++i) {
        const QByteArrayView line = m_keyBegEndLst[i];
        const qsizetype first = line.indexOf(';');
        if (first <= 0)
            continue;
        const qsizetype second = line.indexOf(';', first + 1);
        MarkerEntry &slot = m_markerTable[size_t(i)];
        setMarker(slot.begin, slot.beginLen, line.first(first));
        if (second == first + 1 && second + 1 < line.size() && line[second + 1] == ';') {
            // "&;;;colour": the end marker is ";" itself (as in entities), which the
            // separators cannot otherwise express. An empty end marker colours nothing,
            // so no working line reads differently.
            setMarker(slot.end, slot.endLen, ";");
            slot.color = colorOrDefault(line.sliced(second + 2), DefKeyColor);
            continue;
        }
        const qsizetype endStop = second < 0 ? line.size() : second;
        setMarker(slot.end, slot.endLen, line.sliced(first + 1, endStop - first - 1));
        slot.color = colorOrDefault(second < 0 ? QByteArrayView() : line.sliced(second + 1), DefKeyColor);
    }
}

void TColorRule::buildMarkersFromLineEnd()
{
    m_markerTable.fill(MarkerEntry{});
    const int lines = std::min<int>(int(m_keyLineEndLst.size()), MarkerSlots);
    for (int i = 0; i < lines; ++i) {
        const QByteArrayView line = m_keyLineEndLst[i];
        const qsizetype first = line.indexOf(';');
        QByteArrayView begin = line;
        QByteArrayView colorText;
        if (line.startsWith(";;")) {
            begin = line.first(1);
            colorText = line.sliced(2);
        } else if (first >= 1) {
            begin = line.first(first);
            colorText = line.sliced(first + 1);
        }
        MarkerEntry &slot = m_markerTable[size_t(i)];
        setMarker(slot.begin, slot.beginLen, begin);
        slot.color = colorOrDefault(colorText, DefKeyColor);
    }
}

// ---- TDrawRules

TColorRule *TDrawRules::Add()
{
    m_items.push_back(std::make_unique<TColorRule>(this));
    return m_items.back().get();
}

void TDrawRules::Assign(const TDrawRules &source)
{
    if (&source == this)
        return;
    m_items.clear();
    for (const auto &rule : source.m_items)
        Add()->Assign(*rule);
}

void TDrawRules::PrepareRules()
{
    for (const auto &rule : m_items)
        rule->PrepareTables();
}

// ---- ScanStretch

void ScanStretch::reset(QByteArrayView text, int from)
{
    m_text = text;
    m_from = from;
    m_upperReady = false;
}

QByteArrayView ScanStretch::upper()
{
    const size_t n = size_t(m_text.size());
    if (!m_upperReady) {
        if (m_upper.size() < n)
            m_upper.resize(n + 1024);
        const unsigned char *src = reinterpret_cast<const unsigned char *>(m_text.data());
        unsigned char *dst = reinterpret_cast<unsigned char *>(m_upper.data());
        // Written without branches so the compiler can vectorise it.
        for (size_t i = 0; i < n; ++i) {
            const unsigned char c = src[i];
            dst[i] = static_cast<unsigned char>(c - ((static_cast<unsigned char>(c - 'a') < 26) << 5));
        }
        m_upperReady = true;
    }
    return QByteArrayView(m_upper.data(), qsizetype(n));
}

// ---- scans

namespace {

int scanKeywords(TColorRule &rule, TKeyDescrList &ranges, int next, ScanStretch &stretch)
{
    const QByteArrayView text = stretch.text();
    const QByteArrayView hay = rule.KeyCase ? text : stretch.upper();
    const qsizetype len = hay.size();
    const int from = stretch.from();
    for (const TColorRule::KeywordEntry &e : rule.KeywordTable()) {
        const qsizetype n = e.keyword.size();
        const qsizetype m = std::min<qsizetype>(n, TColorRule::KeywordSearchMax);
        qsizetype pos = 0;
        while (pos < len) {
            const qsizetype at = findBytes(hay.data(), len, pos, e.keyword.constData(), m, e.anchor);
            if (at < 0)
                break;
            const bool accepted = rule.PartWord
                                  || ((at == 0 || !isLetter(text[at - 1]))
                                      && (at + n >= len || !isLetter(text[at + n])));
            if (accepted) {
                TKeyDescr r;
                r.StartPos = from + int(at);
                // A keyword found by its first 30 bytes may run past the cut-off.
                r.EndPos = from + int(std::min(at + n, len)) - 1;
                r.KeyColor = e.color;
                r.KeyZOrder = rule.ZOrder;
                r.IsKey = 1;
                next = ranges.put(next, r);
            }
            pos = at + n;
        }
    }
    return next;
}

int scanMarkers(TColorRule &rule, TKeyDescrList &ranges, int next, ScanStretch &stretch)
{
    const QByteArrayView text = stretch.text();
    const char *hay = text.data();
    const qsizetype len = text.size();
    const int from = stretch.from();
    auto &table = rule.markerScratch();
    int used = 0;
    while (used < TColorRule::MarkerSlots && table[size_t(used)].beginLen > 0) {
        // Each slot remembers its next begin marker, so a screenful with many
        // pairs is searched once per slot rather than once per pair.
        table[size_t(used)].scratch = -2;
        ++used;
    }
    const bool lineEnd = rule.KeyDrawingType == dtBeginLineEnd;
    if (!lineEnd) {
        // A pair without an end marker gives no range (an empty end would be found
        // at once and colour the begin marker's first character).
        for (int i = 0; i < used; ++i)
            if (table[size_t(i)].endLen == 0)
                table[size_t(i)].scratch = -1;
    }
    qsizetype p = 0;
    while (p < len) {
        int best = -1;
        for (int i = 0; i < used; ++i) {
            TColorRule::MarkerEntry &s = table[size_t(i)];
            if (s.scratch == -1)
                continue;
            if (s.scratch < p)
                s.scratch = int(findBytes(hay, len, p, s.begin, s.beginLen));
            if (s.scratch < 0)
                continue;
            if (best < 0 || s.scratch < table[size_t(best)].scratch)
                best = i;
        }
        if (best < 0)
            break;
        const TColorRule::MarkerEntry &s = table[size_t(best)];
        const qsizetype b = s.scratch;
        TKeyDescr r;
        r.StartPos = from + int(b);
        r.KeyColor = s.color;
        r.KeyZOrder = rule.ZOrder;
        r.IsKey = 0;
        if (lineEnd) {
            const qsizetype cr = findBytes(hay, len, b, "\r\n", 2);
            const qsizetype last = cr < 0 ? len - 1 : cr - 1;
            if (last >= b) {
                r.EndPos = from + int(last);
                next = ranges.put(next, r);
            }
            p = cr < 0 ? len : cr + 1;
        } else {
            const qsizetype e = findBytes(hay, len, b + 1, s.end, s.endLen);
            if (e < 0)
                break;
            r.EndPos = from + int(std::max(b, e + s.endLen - 1));
            next = ranges.put(next, r);
            p = e + 1;
        }
    }
    return next;
}

int scanEvent(TColorRule &rule, TKeyDescrList &ranges, int next, ScanStretch &stretch, DrawEventHook *hook)
{
    if (!hook || !hook->OnDraw || hook->A.empty())
        return next;
    std::fill(hook->A.begin(), hook->A.end(), TKeyDescr{0, 0, 0, 0, 0});
    int count = 0;
    const int from = stretch.from();
    hook->OnDraw(&rule, from, stretch.text(), std::span<TKeyDescr>(hook->A), count);
    count = std::clamp(count, 0, int(hook->A.size()));
    const qint64 first = from;
    const qint64 last = qint64(stretch.limit()) - 1;
    for (int i = 0; i < count; ++i) {
        const TKeyDescr &a = hook->A[size_t(i)];
        // Handler ranges are kept inside the scanned stretch: nothing beyond it is painted.
        const qint64 s = std::max(first, from + qint64(a.StartPos));
        const qint64 e = std::min(last, from + qint64(a.EndPos));
        if (e < s)
            continue;
        TKeyDescr r;
        r.StartPos = int(s);
        r.EndPos = int(e);
        r.KeyColor = a.KeyColor;
        r.KeyZOrder = a.KeyZOrder != 0 ? a.KeyZOrder : rule.ZOrder;
        r.IsKey = 0;
        next = ranges.put(next, r);
    }
    return next;
}

}  // namespace

int ScanRule(TColorRule &rule, TKeyDescrList &ranges, int next, ScanStretch &text, DrawEventHook *hook)
{
    if (!rule.Enabled)
        return next;
    rule.PrepareTables();
    switch (rule.KeyDrawingType) {
    case dtKeyShow:
        return scanKeywords(rule, ranges, next, text);
    case dtEventDraw:
        return scanEvent(rule, ranges, next, text, hook);
    case dtBeginEnd:
    case dtBeginLineEnd:
        return scanMarkers(rule, ranges, next, text);
    }
    return next;
}

QByteArray RuleUpperAscii(QByteArrayView text)
{
    return upperAscii(text);
}

QByteArray RuleLowerAscii(QByteArrayView text)
{
    return lowerAscii(text);
}
