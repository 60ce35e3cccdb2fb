#include "tags/MiscMarkup.h"

#include "tags/AttributeValues.h"

QStringList AlignmentItems()
{
    return {QStringLiteral("&Left"), QStringLiteral("&Center"), QStringLiteral("&Right")};
}

QString AlignedStartText(const QString &element, int alignIndex)
{
    return QLatin1Char('<') + element + QStringLiteral(" ALIGN=\"")
           + ChoiceValue(alignIndex, QString::fromLatin1(AlignValues)) + QStringLiteral("\">");
}

QString AlignedEndText(const QString &element)
{
    return QStringLiteral("</") + element + QLatin1Char('>');
}

QStringList ClearTypeItems()
{
    return {QStringLiteral("None"), QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("All")};
}

QString LineBreakText(int clearIndex)
{
    return QStringLiteral("<BR") + ChoiceValue(clearIndex, QString::fromLatin1(ClearTypeValues))
           + QStringLiteral(">\r\n");
}

QStringList RuleAlignItems()
{
    return {QStringLiteral("Default"), QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Center")};
}

QString HorizontalRuleText(const HorizontalRuleValues &v)
{
    QString text = QStringLiteral("<HR");
    if (v.sizeChecked)
        text += QStringLiteral(" SIZE=") + QString::number(v.size);
    if (v.width > 0) {
        text += QStringLiteral(" WIDTH=");
        text += v.widthInPercent ? QString::number(qMin(v.width, 100)) + QLatin1Char('%') : QString::number(v.width);
    }
    const QString align = ChoiceValue(v.alignIndex, QString::fromLatin1(RuleAlignValues));
    if (!align.isEmpty())
        text += QStringLiteral(" ALIGN=") + align;
    return text + QLatin1Char('>');
}
