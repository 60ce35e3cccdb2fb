#pragma once

#include "tags/MarkupText.h"
#include "tags/TagScan.h"

#include <QByteArray>

// The end tag to write after the caret when '>' is typed at `pos`, in the case
// the start tag's name was typed in; empty when none is due: not a start tag,
// a void element, "/>", inside a comment, a script, a style or an attribute
// value, inside a tag that already has its '>', or the same end tag follows.
QByteArray EndTagForTypedGt(const MarkupText &text, int pos);

// Where the caret stands for completing a name, and what is offered.
struct CompletionPlace
{
    enum Kind {
        None,
        ElementName,    // after "<"
        EndTag,         // after "</": the innermost open element
        AttributeName,  // inside a start tag, where an attribute name goes
        EntityName,     // after "&"
        FileName,       // inside HREF="..." or SRC="..."
    };
    Kind kind = None;
    int from = -1;       // the typed part [from, pos) that a chosen name replaces
    QByteArray element;  // AttributeName: the tag's name; EndTag: the open element's name as typed
    QByteArray typed;    // FileName: the value typed so far
};
CompletionPlace CompletionAt(const MarkupText &text, int pos);
