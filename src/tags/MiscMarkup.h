#pragma once

#include <QString>
#include <QStringList>

// Markup of the "Attributes" dialog: aligned DIV and P, line breaks, rules.

// The alignment group's items; their order is the order of AlignValues.
QStringList AlignmentItems();
inline constexpr char AlignValues[] = "LEFT\\CENTER\\RIGHT\\";
// `<DIV ALIGN="CENTER">` for element "DIV" and item 1.
QString AlignedStartText(const QString &element, int alignIndex);
// "</DIV>" for element "DIV".
QString AlignedEndText(const QString &element);

QStringList ClearTypeItems();
inline constexpr char ClearTypeValues[] = "\\ CLEAR=LEFT\\ CLEAR=RIGHT\\ CLEAR=ALL\\";
// "<BR CLEAR=ALL>" and a line break, so the caret lands at the start of the next line.
QString LineBreakText(int clearIndex);

QStringList RuleAlignItems();
inline constexpr char RuleAlignValues[] = "\\LEFT\\RIGHT\\CENTER\\";

struct HorizontalRuleValues
{
    bool sizeChecked = false;
    int size = 0;
    int width = 0;  // written when greater than 0, whatever the width box says
    bool widthInPercent = false;
    int alignIndex = 0;
};
// "<HR SIZE=3 WIDTH=50% ALIGN=CENTER>": no quotes, no line break. A percent width
// above 100 is written as 100.
QString HorizontalRuleText(const HorizontalRuleValues &values);
