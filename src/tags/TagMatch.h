#pragma once

#include "tags/TagScan.h"

// How far matching looks each way from the caret: a page of tens of megabytes
// costs what a page of one megabyte does.
constexpr int MatchWindowBytes = 1 << 20;

struct TagMatch
{
    enum Kind {
        NoTag,      // the caret is in no start or end tag
        Matched,    // `other` is the matching tag
        Implied,    // the element leaves out its end tag, as it may; it ends at impliedEnd
        Empty,      // a void element or "<x/>": there is nothing to match
        Unmatched,  // a start tag without its end, or an end tag without its start
        TooFar,     // nothing decided within the window
    };
    Kind kind = NoTag;
    Tag tag;    // the tag at the caret
    Tag other;  // Matched only
    int impliedEnd = -1;
};

// Matches the tag at `pos` as browsers build elements: void elements have no
// end, an optional end tag is implied by the next start tag that closes the
// element or by its parent's end, and a raw-text element ends at its own end tag.
TagMatch MatchTag(const MarkupText &text, int pos);
// The match of a given start or end tag.
TagMatch MatchOf(const MarkupText &text, const Tag &tag);

// The innermost element open at `pos`: its start tag, kind None when there is
// none in the window. Elements whose end was implied before pos are closed.
Tag OpenElementAt(const MarkupText &text, int pos);

// An element's stretch: from its start tag's '<' to its end tag's '>' (or to
// where its end is implied).
struct ElementRange
{
    int from = -1;
    int to = -1;
    bool valid() const { return from >= 0; }
};
// What "Select element" selects: with the caret in a tag, that tag's element;
// else, or when [from, to) already is that element, the innermost element
// around [from, to) that is larger. Invalid when none is found in the window.
ElementRange ElementAround(const MarkupText &text, int from, int to);
