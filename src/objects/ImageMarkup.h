#pragma once
#include <QString>
class TextDocument;

// What the image dialog hands to the generator; an empty text leaves its attribute out.
struct ImageValues
{
    QString src, align, alt;
    bool isMap = false;
    QString width, height, border, vspace, hspace, lowSrc, useMap;
};

// `<IMG SRC="..." ...>` on one line, attributes in the fixed order. SRC is always written.
QString ImageText(const ImageValues &values);
// The text the image command writes: the image, or for a server-side map the
// image inside a link to the map, since ISMAP only works inside the link.
QString ImageCommandText(const ImageValues &values, const QString &serverMap);
// Writes ImageText in place of the selection (or at the caret), one undo step.
void InsertImage(TextDocument &document, const ImageValues &values);
