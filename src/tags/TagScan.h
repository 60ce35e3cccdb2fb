#pragma once

#include "tags/MarkupText.h"

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <functional>

// What browsers know of elements: which have no end tag, which may leave it
// out, and whose content is text rather than markup. Names in any case.
bool IsVoidElement(QByteArrayView name);
bool HasOptionalEnd(QByteArrayView name);
// Script, style, textarea, title: tags inside them are text.
bool IsRawTextElement(QByteArrayView name);
// Whether a start tag `next` ends the open element `open` that may leave out its end.
bool StartTagCloses(QByteArrayView next, QByteArrayView open);

// Tags longer than this are not taken for tags: a stray quote would otherwise
// make everything after it one tag.
constexpr int MaxTagBytes = 64 << 10;

// A tag's name in lower case, kept without an allocation: walking a
// megabyte of tags must not allocate for each. Names longer than the room
// are compared by their first bytes and their length.
struct TagName
{
    static constexpr int Room = 22;
    std::array<char, Room> bytes{};
    quint8 stored = 0;
    int length = 0;

    QByteArrayView view() const { return QByteArrayView(bytes.data(), stored); }
    operator QByteArrayView() const { return view(); }
    bool operator==(const TagName &other) const { return length == other.length && view() == other.view(); }
};

struct Tag
{
    enum Kind { None, Start, End, Comment, Other };  // Other: <!DOCTYPE ...>, <?...?>
    Kind kind = None;
    int start = -1;  // the '<'
    int end = -1;    // just after the '>', -1 while the tag is not closed
    int nameStart = -1;
    int nameEnd = -1;
    TagName name;
    bool selfClosing = false;

    bool closed() const { return end >= 0; }
    // Start tags that have no content of their own: void elements, "<x/>".
    bool empty() const { return kind == Start && (selfClosing || IsVoidElement(name)); }
};

// The tag that begins at `lt` (a '<'); kind None when the '<' begins no tag.
// A tag's end is looked for up to `limit`; quoted attribute values may hold '>'.
Tag ParseTag(const MarkupText &text, int lt, int limit);

// The last tag or comment that ends at or before `pos`, kind None when there
// is none in the window. Comments are whole items; their insides are not tags.
Tag PreviousTag(const MarkupText &text, int pos);
// The first tag or comment that begins at or after `pos`, kind None when none
// ends inside the window.
Tag NextTag(const MarkupText &text, int pos);

// Where the end tag of the raw-text element whose content starts at `from`
// begins ("</script"), or -1 within the window.
int FindRawTextEnd(const MarkupText &text, int from, QByteArrayView name);
// Where the start tag of the raw-text element whose end tag begins at `endTag`
// begins, or -1 within the window.
int FindRawTextStart(const MarkupText &text, int endTag, QByteArrayView name);

// What a position lies in.
struct MarkupContext
{
    enum Kind { Markup, Comment, RawText };
    Kind kind = Markup;
    QByteArray element;  // the raw-text element, lower case
};
// Looks back through the window only (a comment or script begun before it is
// not seen), unless the text comes with an index of the whole document.
MarkupContext ContextAt(const MarkupText &text, int pos);

// A place that decides what the text after it lies in.
enum class ContextMark { None, CommentStart, CommentEnd, RawTextStart, RawTextEnd };
// The mark that begins at `q`: "<!--", "-->", or the start or end tag of a
// raw-text element ("<script", "</STYLE", the name ended). `element` gets a
// raw-text element's name in lower case.
ContextMark ContextMarkAt(const MarkupText &text, int q, QByteArray *element = nullptr);
// Whether a mark begins at q reads no byte from q + ContextMarkBytes on.
constexpr int ContextMarkBytes = 16;
// Calls `found` for each mark that begins in [from, to), in order.
void ForEachContextMark(const MarkupText &text, int from, int to, const std::function<void(int, ContextMark)> &found);

// The tag the caret at `pos` stands in: from its '<' up to its '>' (both
// ends included, so a caret just before '<' or just after '>' counts), kind
// None when there is none. Comments and the insides of scripts are no tags.
Tag TagAt(const MarkupText &text, int pos);
