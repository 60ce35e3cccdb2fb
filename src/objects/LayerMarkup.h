#pragma once

#include "tags/TableMarkup.h"
#include "widgets/NameValueList.h"

#include <QString>

class TextDocument;

enum LayerKind : int {
    Layer = 0,        // positioned LAYER
    InlineLayer = 1,  // in-flow ILAYER
};

// The element from the named values, each written only when present, in this
// order: "name", "left", "top", "width", "height", "clipX1" (with "clipY1",
// "clipX2", "clipY2" as one CLIP), "zindex", "above", "below", "visible"
// (SHOW, HIDE or INHERIT), "bgColor" (six hex digits), "background", "src".
// The start text ends with a line break, the end text begins with one, so the
// caret or the selection sits on a line of its own inside.
TagPairTexts LayerMarkup(int kind, const NameValueList &values);

// Writes the texts around the selection as one edit.
void InsertLayerTag(TextDocument &document, int kind, const NameValueList &values);
