#include "check/PageScan.h"

#include <cstring>

namespace {
bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool isAlpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool equalsUpper(QByteArrayView text, qsizetype at, const char *upperWord)
{
    const qsizetype n = qsizetype(std::strlen(upperWord));
    if (at + n > text.size())
        return false;
    for (qsizetype i = 0; i < n; ++i)
        if (upper(text[at + i]) != upperWord[i])
            return false;
    return true;
}

// The attributes the checks read; others are passed over without being kept.
bool kept(const QByteArray &name)
{
    static const char *const names[] = {"HREF",   "SRC",  "LOWSRC",   "BACKGROUND", "USEMAP",
                                        "ACTION", "CODE", "CODEBASE", "ARCHIVE",    "ID",
                                        "NAME",   "ALT",  "WIDTH",    "HEIGHT",     "TYPE"};
    for (const char *n : names)
        if (name == n)
            return true;
    return false;
}

// Elements whose content is not markup: a "<" inside them starts no tag.
const char *rawTextEnd(const QByteArray &name)
{
    if (name == "SCRIPT")
        return "</SCRIPT";
    if (name == "STYLE")
        return "</STYLE";
    if (name == "TEXTAREA")
        return "</TEXTAREA";
    if (name == "XMP")
        return "</XMP";
    return nullptr;
}

// The first place at or after `from` where the upper-case word starts, ignoring case.
qsizetype findUpper(QByteArrayView text, qsizetype from, const char *upperWord)
{
    const char first = upperWord[0];
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] != first)
            continue;
        if (equalsUpper(text, i, upperWord))
            return i;
    }
    return -1;
}
}  // namespace

const ScannedAttribute *ScannedTag::attribute(const char *upperName) const
{
    for (const ScannedAttribute &a : attributes)
        if (a.name == upperName)
            return &a;
    return nullptr;
}

QList<ScannedTag> ScanPageTags(QByteArrayView text, const PageScanLimits &limits)
{
    QList<ScannedTag> tags;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && tags.size() < limits.maxTags) {
        const char *lt = static_cast<const char *>(std::memchr(text.data() + i, '<', size_t(n - i)));
        if (!lt)
            break;
        const qsizetype start = lt - text.data();
        if (start + 1 >= n)
            break;
        const char next = text[start + 1];
        if (next == '!' && start + 3 < n && text[start + 2] == '-' && text[start + 3] == '-') {
            const qsizetype end = QByteArrayView(text).indexOf("-->", start + 4);
            i = end < 0 ? n : end + 3;
            continue;
        }
        if (next == '!' || next == '?' || next == '/') {
            const qsizetype end = QByteArrayView(text).indexOf('>', start + 2);
            i = end < 0 ? n : end + 1;
            continue;
        }
        if (!isAlpha(next)) {
            i = start + 1;
            continue;
        }
        ScannedTag tag;
        tag.offset = start;
        qsizetype p = start + 1;
        while (p < n && !isSpace(text[p]) && text[p] != '>' && text[p] != '/')
            tag.name.append(upper(text[p++]));
        // Attributes up to the ">" that ends the tag.
        bool interesting = tag.name == "IMG" || tag.name == "MAP" || tag.name == "BASE";
        for (;;) {
            while (p < n && (isSpace(text[p]) || text[p] == '/'))
                ++p;
            if (p >= n || text[p] == '>')
                break;
            QByteArray name;
            while (p < n && !isSpace(text[p]) && text[p] != '>' && text[p] != '=' && (text[p] != '/' || name.isEmpty()))
                name.append(upper(text[p++]));
            while (p < n && isSpace(text[p]))
                ++p;
            ScannedAttribute a{name, p, 0, false};
            if (p < n && text[p] == '=') {
                ++p;
                while (p < n && isSpace(text[p]))
                    ++p;
                a.hasValue = true;
                if (p < n && (text[p] == '"' || text[p] == '\'')) {
                    const char quote = text[p++];
                    const char *close = static_cast<const char *>(std::memchr(text.data() + p, quote, size_t(n - p)));
                    const qsizetype end = close ? close - text.data() : n;
                    a.valueOffset = p;
                    a.valueLength = end - p;
                    p = close ? end + 1 : n;
                } else {
                    a.valueOffset = p;
                    while (p < n && !isSpace(text[p]) && text[p] != '>')
                        ++p;
                    a.valueLength = p - a.valueOffset;
                }
            }
            if (kept(a.name) && tag.attributes.size() < limits.maxAttributesPerTag) {
                tag.attributes.append(a);
                interesting = interesting
                              || (a.name != "ALT" && a.name != "WIDTH" && a.name != "HEIGHT" && a.name != "TYPE");
            }
        }
        const qsizetype end = p < n ? p + 1 : n;
        tag.length = end - start;
        i = end;
        if (const char *close = rawTextEnd(tag.name)) {
            const qsizetype at = findUpper(text, i, close);
            i = at < 0 ? n : at;
        }
        if (interesting)
            tags.append(std::move(tag));
    }
    return tags;
}
