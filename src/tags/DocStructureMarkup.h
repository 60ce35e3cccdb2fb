#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

// The frame of a page that the "Document Properties" dialog writes around the
// text of a document: lines inserted at its top and lines appended at its end.

// The items of the document type list, in list order; -1 means nothing chosen.
QStringList DocTypeItems();
// The document type line of item index; empty for "None", nothing chosen or any other number.
QString DocTypeLine(int index);

// What the dialog hands over. Texts are as typed; the generator makes them safe
// for the place they go. `background` is the name as it is to be written
// (already relative and in URL form).
struct DocStructureValues
{
    int docType = -1;
    QString title;
    QString author;
    QString keywords;
    bool isIndex = false;
    bool isIndexPrompt = false;  // counts only with isIndex, as the dialog only enables it then
    QString prompt;
    bool baseHref = false;
    QString href;
    bool baseTarget = false;
    QString target;
    QString background;
    // BGCOLOR, TEXT, LINK, VLINK, ALINK in this order; an invalid colour is not written.
    QColor colors[5];
};

// The BODY colour attributes in the order they are written.
inline constexpr const char *BodyColorAttributes[5] = {"BGCOLOR", "TEXT", "LINK", "VLINK", "ALINK"};

// The lines inserted at the top of the document, from the document type line to ">".
QStringList DocStructureHeadLines(const DocStructureValues &values);
// The lines appended after the document's last line; the first is the placeholder.
QStringList DocStructureTailLines();
// The text the user is meant to type over.
inline constexpr char DocStructurePlaceholder[] = "Start writing here";
