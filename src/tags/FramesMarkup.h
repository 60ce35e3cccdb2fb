#pragma once

#include "widgets/NameValueList.h"

#include <QString>
#include <QStringList>

// Markup of the frames dialog and the NoFrames command.

enum class FrameElement {
    FrameSet,
    SizeValue,  // one column or row size
    Frame,
    NoFrames,
};

inline constexpr char FrameScrollingValues[] = "YES\\NO\\AUTO\\";

QStringList SizeValueTypeItems();   // "In &percent", "In pi&xels", "Remaining &space"
QStringList FrameScrollingItems();  // "Yes", "No", "Auto"
QStringList FrameSetDivideItems();  // "Columns", "Rows"

// Item indexes of the size value type group.
enum SizeValueType : int { SizeInPercent = 0, SizeInPixels = 1, SizeRemaining = 2 };

// One size as the frame set writes it: "30%", "120" or "*"; empty for no type.
QString SizeText(int valueType, int value);

// A size appended to a comma-separated list of sizes, joined by a comma alone.
QString AppendSize(const QString &list, const QString &size);

struct FramesMarkupText
{
    QString start;
    QString end;
};

// The start and end texts for InsertTagPair. Names looked up: "cols", "rows",
// "border" (frame set), "colRow" (size value), "name", "src", "marginWidth",
// "marginHeight", "noResize", "scrolling" (frame). An empty value is absent;
// BORDER, NAME and SCROLLING are always written. Quoted values have `"` written
// as `&quot;` and line breaks as blanks.
FramesMarkupText FramesElementMarkup(FrameElement element, const NameValueList &values);
