#pragma once

#include <QString>

class NameValueList;
class TextDocument;

enum MapTagKind : int { MapTag = 0, AreaTag = 1 };

struct MapTagTexts
{
    QString start;
    QString end;
};

// Map (values "name"): `<MAP NAME="name">` CR LF and CR LF `</MAP>`, to go
// around the selection. Area (values "href", "target", "left", "top", "right",
// "bottom"): `<AREA SHAPE="RECT" COORDS="l,t,r,b" HREF="href" TARGET="target">`
// with no end text; without an href ` NOHREF` instead and no target.
MapTagTexts MapTagText(int kind, const NameValueList &values);

// Writes the texts with InsertTagPair: one undo step.
void InsertMapTag(TextDocument &document, int kind, const NameValueList &values);
