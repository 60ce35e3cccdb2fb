#include "objects/FontMarkup.h"

#include "tags/AttributeText.h"

#include <QRegularExpression>

FontChoiceValues &FontChoice()
{
    static FontChoiceValues choice;
    return choice;
}

QString DontDefineText()
{
    return QStringLiteral("Don't define");
}

QStringList FontSizeItems()
{
    return {DontDefineText(),     QStringLiteral("6"),  QStringLiteral("8"),  QStringLiteral("10"),
            QStringLiteral("12"), QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"),
            QStringLiteral("22"), QStringLiteral("24"), QStringLiteral("28"), QStringLiteral("36"),
            QStringLiteral("42"), QStringLiteral("72")};
}

namespace {

QString htmlSizeOfPoints(int points)
{
    static const int upTo[] = {8, 10, 12, 14, 18, 24};
    int size = 1;
    for (int limit : upTo) {
        if (points <= limit)
            return QString::number(size);
        ++size;
    }
    return QString::number(size);
}

}  // namespace

QString HtmlFontSize(const QString &sizeText)
{
    const QString text = sizeText.trimmed();
    static const QRegularExpression relative(QStringLiteral("^[+-][1-7]$"));
    if (relative.match(text).hasMatch())
        return text;
    const int points = FontPointSize(text);
    if (points <= 0)
        return QString();
    // The list's "6" means 6 points; other typed numbers up to 7 are HTML sizes.
    if (points <= 7 && !FontSizeItems().contains(text))
        return text;
    return htmlSizeOfPoints(points);
}

int FontPointSize(const QString &sizeText)
{
    const QString text = sizeText.trimmed();
    if (text.isEmpty() || !text.at(0).isDigit())
        return 0;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value > 0 ? value : 0;
}

TagPairTexts FontMarkup(const FontChoiceValues &choice)
{
    TagPairTexts texts;
    texts.start = QStringLiteral("<FONT");
    if (!choice.FaceName.isEmpty())
        texts.start += QStringLiteral(" FACE=\"") + QuotedValue(choice.FaceName) + QLatin1Char('"');
    const QString size = HtmlFontSize(choice.SizeText);
    if (!size.isEmpty())
        texts.start += QStringLiteral(" SIZE=") + size;
    if (!choice.ColorHex.isEmpty())
        texts.start += QStringLiteral(" COLOR=#") + OneLine(choice.ColorHex).trimmed();
    texts.start += QLatin1Char('>');
    texts.end = QStringLiteral("</FONT>");
    static const struct
    {
        char letter;
        const char *element;
    } styles[] = {{'b', "B"}, {'i', "I"}, {'u', "U"}, {'s', "STRIKE"}};
    for (const auto &style : styles) {
        if (!choice.StyleLetters.contains(QLatin1Char(style.letter)))
            continue;
        texts.start += QLatin1Char('<') + QLatin1String(style.element) + QLatin1Char('>');
        texts.end = QStringLiteral("</") + QLatin1String(style.element) + QLatin1Char('>') + texts.end;
    }
    return texts;
}
