#pragma once

#include "custom/PrivateTags.h"

#include <functional>

class QMenu;
class TextDocument;

// The name of a private menu item's record, kept apart from its caption.
inline constexpr char PrivateNameProperty[] = "PrivateName";

// Fills a window's "&Private" menu with one item per used record, in record
// order, named "privateMenuItem" + the record number. Clicking an item calls
// onClick with the record's name.
void BuildPrivateMenu(QMenu *menu, const PrivateTagList &tags, const std::function<void(const QString &)> &onClick);

// Writes every record with exactly this name into the document by its layout,
// all in one undo step.
void PrivateMenuClick(TextDocument &document, const QString &name, const PrivateTagList &tags = PrivateTags());

// The texts written for one snippet: the start and end texts of the pair, or
// with layout 2 the start text alone, which replaces the selection.
struct PrivateTagTexts
{
    QString start;
    QString end;
    bool replace = false;
};
PrivateTagTexts PrivateTagWriting(const PrivateTag &tag);
