#include "custom/JsWizardMarkup.h"

#include "custom/JsEntries.h"

QStringList JsWizardScriptNames()
{
    return {QStringLiteral("Last modified"), QStringLiteral("Scrolling Submit-Button"), QStringLiteral("Fade"),
            QStringLiteral("Text Fade")};
}

QStringList JsWizardDescriptions()
{
    return {
        QStringLiteral("This script will insert a code that displays the document's last modified time and date"),
        QStringLiteral("This script makes a scrolling Submit-Button with your text"),
        QStringLiteral("This COOL script fades your background from one color to another"),
        QStringLiteral("This COOOL script fades a text from one color to another. Be carful not to give a too short "
                       "text (like 2 chars. cause then you'll only see the first and last colors)"),
    };
}

QString JsScriptValue(const QString &typed, bool utf8Document)
{
    const QString text = JsStringText(typed);
    if (utf8Document)
        return text;
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() > 0xFF)
            out += QStringLiteral("\\u")
                   + QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

namespace {
int component(int value)
{
    return qBound(0, value, 255);
}

QStringList colorParams(const JsRgb &rgb)
{
    return {QString::number(component(rgb.red)), QString::number(component(rgb.green)),
            QString::number(component(rgb.blue))};
}
}  // namespace

QString ScrollingButtonParams(const JsWizardValues &values, bool utf8Document)
{
    return JoinJSParams({JsScriptValue(values.scrollText, utf8Document), JsScriptValue(values.formName, utf8Document),
                         JsScriptValue(values.submitName, utf8Document)});
}

QString FadeParams(const JsWizardValues &values)
{
    return JoinJSParams(colorParams(values.fadeFrom) + colorParams(values.fadeTo)
                        + QStringList{QString::number(qBound(2, values.speed, 255))});
}

QString TextFadeParams(const JsWizardValues &values, bool utf8Document)
{
    return JoinJSParams(colorParams(values.textFrom) + colorParams(values.textTo)
                        + QStringList{JsScriptValue(values.fadeText, utf8Document)});
}

LastModifiedTexts LastModifiedMarkup(const FontChoiceValues &font, const QString &align, const QString &entry)
{
    LastModifiedTexts texts;
    texts.font = FontMarkup(font);
    const QString lower = align.toLower();
    if (!lower.isEmpty() && lower != QLatin1String("none")) {
        texts.script.start = QStringLiteral("<DIV ALIGN=\"") + align + QStringLiteral("\">");
        texts.script.end = QStringLiteral("</DIV>");
    }
    texts.script.start += entry;
    return texts;
}

qsizetype HeadPartPosition(QByteArrayView text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    for (qsizetype at = text.indexOf('<'); at >= 0; at = text.indexOf('<', at + 1)) {
        if (text.size() - at < 6 || qstrnicmp(text.data() + at + 1, 4, "head", 4) != 0)
            continue;
        const char next = text[at + 5];
        // "<header>" and "<headline>" are other tags.
        if (next != '>' && next != '/' && !isBlank(next) && next != '\r' && next != '\n')
            continue;
        const qsizetype close = text.indexOf('>', at + 5);
        if (close < 0)
            return -1;
        qsizetype end = close + 1;
        qsizetype i = end;
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (text.sliced(i).startsWith("\r\n"))
            return i + 2;
        if (i < text.size() && text[i] == '\n')
            return i + 1;
        return end;
    }
    return -1;
}

TextFadePlacement PlaceTextFade(QByteArrayView text, qsizetype caret, QByteArrayView headPart)
{
    TextFadePlacement place;
    place.bodyAt = qBound(qsizetype(0), caret, text.size());
    if (text.contains(headPart))
        return place;
    place.headText = QByteArray("\r\n") + headPart.toByteArray() + QByteArray("\r\n");
    const qsizetype afterHead = HeadPartPosition(text);
    place.headAt = afterHead >= 0 ? afterHead : place.bodyAt;
    if (place.headAt <= place.bodyAt)
        place.bodyAt += place.headText.size();
    return place;
}
