#include "tags/CloseTag.h"

#include "tags/MarkupChars.h"
#include "tags/TagMatch.h"
#include "tags/TagScan.h"

#include <algorithm>

namespace {

using markup::isLetter;
using markup::isNameChar;
using markup::isSpace;

// A start tag being typed: from its '<' up to the caret.
struct OpenTag
{
    int lt = -1;
    int nameEnd = -1;
    // Where the caret stands in it.
    enum Place { InName, InAttributeName, AfterName, InValue, Other } place = Other;
    int wordStart = -1;    // the attribute name or value being typed
    QByteArray attribute;  // InValue: the attribute's name
    char quote = 0;        // InValue: the value's quote, 0 for none
    char last = 0;         // the last byte before the caret that is not blank
};

// The start tag the caret at `pos` stands in, from its '<' to pos, when it
// has no unquoted '>' yet before pos.
OpenTag openTagAt(const MarkupText &text, int pos)
{
    OpenTag tag;
    const int lt = text.findLast('<', std::max(text.begin(), pos - MaxTagBytes), pos);
    if (lt < 0 || !isLetter(text.at(lt + 1)))
        return tag;
    int p = lt + 1;
    while (p < pos && isNameChar(text.at(p)))
        ++p;
    tag.lt = lt;
    tag.nameEnd = p;
    if (p == pos) {
        tag.place = OpenTag::InName;
        return tag;
    }
    if (!isSpace(text.at(p)) && text.at(p) != '/')
        return {};
    // Attributes: name, optional "=" and a value, quoted or not.
    enum { Between, Name, AfterAttrName, AfterEquals, Value } state = Between;
    int wordStart = -1;
    QByteArray attribute;
    char quote = 0;
    for (; p < pos; ++p) {
        const char c = text.at(p);
        switch (state) {
        case Between:
            if (c == '>')
                return {};
            if (!isSpace(c) && c != '/') {
                state = Name;
                wordStart = p;
            }
            break;
        case Name:
            if (c == '>')
                return {};
            if (c == '=') {
                attribute = text.slice(wordStart, p);
                state = AfterEquals;
            } else if (isSpace(c)) {
                attribute = text.slice(wordStart, p);
                state = AfterAttrName;
            }
            break;
        case AfterAttrName:
            if (c == '>')
                return {};
            if (c == '=') {
                state = AfterEquals;
            } else if (!isSpace(c)) {
                state = Name;
                wordStart = p;
            }
            break;
        case AfterEquals:
            if (c == '>')
                return {};
            if (c == '"' || c == '\'') {
                quote = c;
                state = Value;
                wordStart = p + 1;
            } else if (!isSpace(c)) {
                quote = 0;
                state = Value;
                wordStart = p;
            }
            break;
        case Value:
            if (quote ? c == quote : isSpace(c)) {
                state = Between;
            } else if (!quote && c == '>') {
                return {};
            }
            break;
        }
        if (!isSpace(c))
            tag.last = c;
    }
    switch (state) {
    case Between:
        tag.place = OpenTag::AfterName;
        tag.wordStart = pos;
        break;
    case Name:
        tag.place = OpenTag::InAttributeName;
        tag.wordStart = wordStart;
        break;
    case Value:
        tag.place = OpenTag::InValue;
        tag.wordStart = wordStart;
        tag.attribute = attribute;
        tag.quote = quote;
        break;
    case AfterEquals:
        tag.place = OpenTag::InValue;
        tag.wordStart = pos;
        tag.attribute = attribute;
        break;
    default:
        tag.place = OpenTag::Other;
        break;
    }
    return tag;
}

// Whether the '<' at lt stands inside a quoted value of a tag begun before it.
bool inQuotedValue(const MarkupText &text, int lt)
{
    const OpenTag outer = openTagAt(text, lt);
    return outer.lt >= 0 && outer.place == OpenTag::InValue && outer.quote;
}

}  // namespace

QByteArray EndTagForTypedGt(const MarkupText &text, int pos)
{
    const OpenTag tag = openTagAt(text, pos);
    if (tag.lt < 0 || (tag.place == OpenTag::InValue && tag.quote))
        return {};
    if (tag.last == '/' || (tag.place == OpenTag::InName && text.at(pos - 1) == '/'))
        return {};
    const QByteArray name = text.slice(tag.lt + 1, tag.nameEnd);
    if (name.isEmpty() || IsVoidElement(name) || inQuotedValue(text, tag.lt))
        return {};
    // A '>' before the next '<': the caret is inside a tag that has its end already.
    const int limit = std::min(text.end(), pos + MaxTagBytes);
    const int gt = text.find('>', pos, limit);
    const int nextLt = text.find('<', pos, limit);
    if (gt >= 0 && (nextLt < 0 || gt < nextLt))
        return {};
    // The same end tag right after the caret, blanks and line breaks between.
    int q = pos;
    while (q < text.end() && isSpace(text.at(q)))
        ++q;
    if (text.matchesAt(q, "</") && text.matchesAt(q + 2, name, true)) {
        const char after = text.at(q + 2 + int(name.size()));
        if (after == '>' || isSpace(after))
            return {};
    }
    if (ContextAt(text, tag.lt).kind != MarkupContext::Markup)
        return {};
    return "</" + name + ">";
}

CompletionPlace CompletionAt(const MarkupText &text, int pos)
{
    CompletionPlace place;
    int wordStart = pos;
    while (wordStart > text.begin() && pos - wordStart < 64 && isNameChar(text.at(wordStart - 1)))
        --wordStart;
    const char before = text.at(wordStart - 1);
    auto inMarkup = [&](int at) { return ContextAt(text, at).kind == MarkupContext::Markup; };
    if (before == '&') {
        if (inMarkup(wordStart - 1) || ContextAt(text, wordStart - 1).element == "textarea"
            || ContextAt(text, wordStart - 1).element == "title") {
            place.kind = CompletionPlace::EntityName;
            place.from = wordStart;
        }
        return place;
    }
    if (before == '<' && (wordStart == pos || isLetter(text.at(wordStart)))) {
        if (inMarkup(wordStart - 1) && !inQuotedValue(text, wordStart - 1)) {
            place.kind = CompletionPlace::ElementName;
            place.from = wordStart;
        }
        return place;
    }
    if (before == '/' && text.at(wordStart - 2) == '<') {
        if (!inMarkup(wordStart - 2))
            return place;
        const Tag open = OpenElementAt(text, wordStart - 2);
        if (open.kind != Tag::Start)
            return place;
        place.kind = CompletionPlace::EndTag;
        place.from = wordStart;
        place.element = text.slice(open.nameStart, open.nameEnd);
        return place;
    }
    const OpenTag tag = openTagAt(text, pos);
    if (tag.lt < 0 || !inMarkup(tag.lt))
        return place;
    if (tag.place == OpenTag::AfterName || tag.place == OpenTag::InAttributeName) {
        if (tag.last == '/')
            return place;
        place.kind = CompletionPlace::AttributeName;
        place.from = tag.wordStart;
        place.element = text.slice(tag.lt + 1, tag.nameEnd);
    } else if (tag.place == OpenTag::InValue && tag.quote) {
        const QByteArray attr = tag.attribute.toLower();
        if (attr == "href" || attr == "src") {
            place.kind = CompletionPlace::FileName;
            place.from = tag.wordStart;
            place.typed = text.slice(tag.wordStart, pos);
        }
    }
    return place;
}
