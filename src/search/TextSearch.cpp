#include "search/TextSearch.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

namespace {

// Enough for any pattern a person writes for a page; a pattern that backtracks
// past it is stopped with a message instead of holding the window.
constexpr uint32_t kMatchLimit = 5'000'000;
constexpr uint32_t kDepthLimit = 100'000;
constexpr size_t kJitStackMax = 4 * 1024 * 1024;

const PCRE2_UCHAR8 *subjectOf(QByteArrayView text)
{
    static const char empty[1] = {0};
    return reinterpret_cast<const PCRE2_UCHAR8 *>(text.isEmpty() ? empty : text.data());
}

QString pcreMessage(int code)
{
    PCRE2_UCHAR8 buffer[256];
    const int n = pcre2_get_error_message(code, buffer, sizeof buffer);
    return n > 0 ? QString::fromUtf8(reinterpret_cast<const char *>(buffer), n) : QStringLiteral("error %1").arg(code);
}

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

}  // namespace

bool IsWordByte(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c >= 0x80;
}

QByteArray RegexLiteralPrefix(QByteArrayView pattern)
{
    if (pattern.contains('|'))
        return {};
    static constexpr QByteArrayView special = "\\^$.|?*+()[]{}";
    qsizetype n = 0;
    while (n < pattern.size() && uchar(pattern[n]) < 0x80 && !special.contains(pattern[n]))
        ++n;
    // "ab?" and "ab{0,2}" may match without the b.
    if (n < pattern.size() && n > 0 && QByteArrayView("?*{").contains(pattern[n]))
        --n;
    return pattern.first(n).toByteArray();
}

struct TextSearcher::Regex
{
    pcre2_code *code = nullptr;
    pcre2_match_data *data = nullptr;
    pcre2_match_context *context = nullptr;
    pcre2_jit_stack *stack = nullptr;
    uint32_t groups = 0;
    bool jit = false;

    ~Regex()
    {
        pcre2_match_data_free(data);
        pcre2_match_context_free(context);
        pcre2_jit_stack_free(stack);
        pcre2_code_free(code);
    }
};

TextSearcher::TextSearcher(QByteArrayView find, const SearchOptions &options, bool utf8)
    : m_find(find.toByteArray()), m_options(options), m_utf8(utf8)
{
    if (m_find.isEmpty()) {
        m_error = QStringLiteral("Nothing to search for");
        return;
    }
    if (!options.regex) {
        m_valid = true;
        return;
    }
    m_regex = std::make_unique<Regex>();
    uint32_t flags = PCRE2_MULTILINE;
    if (!options.matchCase)
        flags |= PCRE2_CASELESS;
    // An invalid sequence in a UTF-8 text is never matched, and never read as
    // part of a character.
    if (utf8)
        flags |= PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;
    pcre2_compile_context *cc = pcre2_compile_context_create(nullptr);
    pcre2_set_newline(cc, PCRE2_NEWLINE_ANYCRLF);
    int code = 0;
    PCRE2_SIZE offset = 0;
    m_regex->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR8>(m_find.constData()), size_t(m_find.size()), flags,
                                  &code, &offset, cc);
    pcre2_compile_context_free(cc);
    if (!m_regex->code) {
        // The offset as the user counts: characters of the pattern as typed.
        qsizetype at = qsizetype(qMin<PCRE2_SIZE>(offset, size_t(m_find.size())));
        if (utf8) {
            qsizetype chars = 0;
            for (qsizetype i = 0; i < at; ++i)
                chars += !isContinuation(uchar(m_find[i]));
            at = chars;
        }
        m_error = QStringLiteral("Error in the regular expression at offset %1: %2").arg(at).arg(pcreMessage(code));
        m_regex.reset();
        return;
    }
    // Without case, letters may match non-ASCII characters (k and the Kelvin
    // sign): the literal look-ahead is for an exact case only.
    if (options.matchCase)
        m_prefix = RegexLiteralPrefix(m_find);
    m_regex->jit = pcre2_jit_compile(m_regex->code, PCRE2_JIT_COMPLETE) == 0;
    pcre2_pattern_info(m_regex->code, PCRE2_INFO_CAPTURECOUNT, &m_regex->groups);
    m_regex->data = pcre2_match_data_create_from_pattern(m_regex->code, nullptr);
    m_regex->context = pcre2_match_context_create(nullptr);
    pcre2_set_match_limit(m_regex->context, kMatchLimit);
    pcre2_set_depth_limit(m_regex->context, kDepthLimit);
    if (m_regex->jit) {
        m_regex->stack = pcre2_jit_stack_create(32 * 1024, kJitStackMax, nullptr);
        if (m_regex->stack)
            pcre2_jit_stack_assign(m_regex->context, nullptr, m_regex->stack);
    }
    m_valid = true;
}

TextSearcher::~TextSearcher() = default;

qsizetype TextSearcher::nextCharacter(QByteArrayView text, qsizetype at) const
{
    ++at;
    if (m_utf8 && m_options.regex) {
        while (at < text.size() && isContinuation(uchar(text[at])))
            ++at;
    }
    return at;
}

TextMatch TextSearcher::literalAt(QByteArrayView text, qsizetype from)
{
    const qsizetype p = FindBytes(text, from, m_find, m_options.matchCase);
    return p < 0 ? TextMatch{} : TextMatch{p, m_find.size()};
}

TextMatch TextSearcher::matchAt(QByteArrayView text, qsizetype from, bool notEmptyAtStart)
{
    if (!m_regex)
        return literalAt(text, from);
    if (from > text.size())
        return {};
    if (!m_prefix.isEmpty()) {
        // Every match starts with the prefix: the expression runs from the
        // first place that has it (it cannot match empty there).
        from = FindBytes(text, from, m_prefix, true);
        if (from < 0)
            return {};
    }
    const int rc = pcre2_match(m_regex->code, subjectOf(text), size_t(text.size()), size_t(from),
                               notEmptyAtStart ? PCRE2_NOTEMPTY_ATSTART : 0, m_regex->data, m_regex->context);
    if (rc == PCRE2_ERROR_NOMATCH)
        return {};
    if (rc < 0) {
        m_error = QStringLiteral("The search stopped at byte %1: the regular expression backtracks too much "
                                 "(%2). Make it more specific.")
                      .arg(from)
                      .arg(pcreMessage(rc));
        return {};
    }
    const PCRE2_SIZE *ov = pcre2_get_ovector_pointer(m_regex->data);
    // \K can put the start after the end; such a match is taken as empty.
    const qsizetype start = qsizetype(ov[0]);
    return {start, qMax<qsizetype>(0, qsizetype(ov[1]) - start)};
}

bool TextSearcher::acceptable(QByteArrayView text, const TextMatch &m) const
{
    const auto at = [&](qsizetype i) { return uchar(text[i]); };
    // An empty match between the CR and LF of one line end would be a second
    // line end ($) or a line start (^) inside it.
    if (m.length == 0 && m.start > 0 && m.start < text.size() && at(m.start - 1) == '\r' && at(m.start) == '\n')
        return false;
    if (!m_options.wholeWord || m.length == 0)
        return true;
    // A match's edge that is a word byte must not continue a word outside it.
    if (IsWordByte(at(m.start)) && m.start > 0 && IsWordByte(at(m.start - 1)))
        return false;
    if (IsWordByte(at(m.end() - 1)) && m.end() < text.size() && IsWordByte(at(m.end())))
        return false;
    return true;
}

TextMatch TextSearcher::findForward(QByteArrayView text, qsizetype from, qsizetype notEmptyAt)
{
    m_error.clear();
    if (!m_valid || from < 0)
        return {};
    while (from <= text.size()) {
        const TextMatch m = matchAt(text, from, from == notEmptyAt);
        if (!m.found())
            return {};
        if (acceptable(text, m)) {
            m_last = m;
            return m;
        }
        from = nextCharacter(text, m.start);
    }
    return {};
}

TextMatch TextSearcher::findBackward(QByteArrayView text, qsizetype before)
{
    m_error.clear();
    before = qMin(before, text.size() + 1);
    if (!m_valid || before <= 0)
        return {};
    // Matches depend on what precedes them, so the search runs forward over
    // ever longer stretches before `before` until one holds a match.
    qsizetype limit = before;
    for (qsizetype chunk = 64 * 1024; limit > 0; chunk *= 2) {
        const qsizetype from = qMax<qsizetype>(0, limit - chunk);
        // A literal match that starts before the limit ends within this view.
        const QByteArrayView view = m_regex ? text : text.first(qMin(text.size(), limit + m_find.size() - 1));
        TextMatch best;
        for (TextMatch m = findForward(view, from); m.found() && m.start < limit;
             m = findForward(view, nextCharacter(view, m.start)))
            best = m;
        if (!m_error.isEmpty())
            return {};
        if (best.found()) {
            // Leaves the groups of this match for appendReplacement.
            return findForward(text, best.start);
        }
        limit = from;
    }
    return {};
}

void TextSearcher::appendReplacement(QByteArray &out, QByteArrayView text, QByteArrayView replacement) const
{
    if (!m_regex) {
        out.append(replacement);
        return;
    }
    const PCRE2_SIZE *ov = pcre2_get_ovector_pointer(m_regex->data);
    const uint32_t pairs = pcre2_get_ovector_count(m_regex->data);
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const char c = replacement[i];
        if (c != '\\' || i + 1 == replacement.size()) {
            out.append(c);
            continue;
        }
        const char e = replacement[++i];
        if (e >= '0' && e <= '9') {
            const uint32_t g = uint32_t(e - '0');
            if (g == 0)
                out.append(text.sliced(m_last.start, m_last.length));
            else if (g < pairs && g <= m_regex->groups && ov[2 * g] != PCRE2_UNSET && ov[2 * g] <= ov[2 * g + 1])
                out.append(text.sliced(qsizetype(ov[2 * g]), qsizetype(ov[2 * g + 1] - ov[2 * g])));
        } else if (e == 'n') {
            out.append('\n');
        } else if (e == 'r') {
            out.append('\r');
        } else if (e == 't') {
            out.append('\t');
        } else if (e == '\\') {
            out.append('\\');
        } else {
            out.append('\\');
            out.append(e);
        }
    }
}

QString TextSearcher::replacementError(QByteArrayView replacement) const
{
    if (!m_regex)
        return {};
    for (qsizetype i = 0; i + 1 < replacement.size(); ++i) {
        if (replacement[i] != '\\')
            continue;
        const char e = replacement[++i];
        if (e >= '1' && e <= '9' && uint32_t(e - '0') > m_regex->groups)
            return QStringLiteral("The replacement uses group \\%1, but the regular expression has %2.")
                .arg(QChar::fromLatin1(e))
                .arg(m_regex->groups == 1 ? QStringLiteral("only one group")
                                          : QStringLiteral("%1 groups").arg(m_regex->groups));
    }
    return {};
}

ReplaceAllResult TextSearcher::replaceAll(QByteArrayView text, qsizetype first, QByteArrayView replacement)
{
    ReplaceAllResult result;
    TextMatch m = findForward(text, first);
    if (!m.found())
        return result;
    result.from = m.start;
    qsizetype copied = m.start;
    while (m.found()) {
        result.bytes.append(text.sliced(copied, m.start - copied));
        appendReplacement(result.bytes, text, replacement);
        copied = m.end();
        ++result.count;
        m = findForward(text, m.end(), m.length == 0 ? m.end() : -1);
    }
    if (!m_error.isEmpty())
        return {};
    result.to = copied;
    return result;
}

qsizetype NextSearchStart(QByteArrayView text, qsizetype selStart, qsizetype selLength, qsizetype findLength,
                          bool regex)
{
    if (!regex)
        return SearchStartPosition(text.size(), selStart, selLength, findLength);
    selStart = qBound<qsizetype>(0, selStart, text.size());
    return qMin(text.size(), selStart + qMax<qsizetype>(selLength, 0));
}
