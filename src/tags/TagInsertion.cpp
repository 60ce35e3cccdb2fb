#include "tags/TagInsertion.h"

#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"

QByteArray EncodeMarkup(const QString &text, bool utf8)
{
    if (utf8)
        return text.toUtf8();
    // A single-byte document cannot hold the character, but a browser reads the
    // numeric reference as that character; '?' would lose it.
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i).unicode(), text.at(i + 1).unicode());
            ++i;
        }
        if (c < 0x100)
            out.append(char(c));
        else
            out.append("&#" + QByteArray::number(uint(c)) + ';');
    }
    return out;
}

namespace {
QByteArray encodeFor(const TColorMemo &memo, const QString &text)
{
    return EncodeMarkup(text, memo.isUtf8Document());
}

// The caret may stand in front of a byte-order mark (Ctrl+Home); markup goes
// after it, so the saved file still starts with the mark. A selection holding
// the mark is narrowed only where the selection's own bytes are written back,
// as a command that replaces it with text made from it keeps the mark itself.
void KeepTextStartFirst(TColorMemo &memo)
{
    const int start = memo.SelStart();
    const int textStart = memo.textStart();
    if (start >= textStart)
        return;
    const int end = start + memo.SelLength();
    memo.setSelStart(textStart);
    memo.setSelLength(end - textStart);
}
}  // namespace

void ReplaceSelection(TColorMemo &memo, const QByteArray &bytes)
{
    UndoStep step(&memo);
    if (memo.SelLength() == 0)
        KeepTextStartFirst(memo);
    memo.setSelText(bytes);
}

void ReplaceSelection(TColorMemo &memo, const QString &text)
{
    ReplaceSelection(memo, encodeFor(memo, text));
}

void ReplaceSelection(TextDocument &document, const QByteArray &bytes)
{
    ReplaceSelection(*document.editor(), bytes);
}

void ReplaceSelection(TextDocument &document, const QString &text)
{
    ReplaceSelection(*document.editor(), text);
}

void InsertTagPair(TColorMemo &memo, const QByteArray &startText, const QByteArray &endText)
{
    UndoStep step(&memo);
    KeepTextStartFirst(memo);
    if (memo.SelLength() < 1) {
        const int caret = memo.SelStart();
        memo.setSelText(endText);
        memo.setSelStart(caret);
        memo.setSelText(startText);
        return;
    }
    // The selection is kept as bytes, so nothing in it is re-encoded.
    memo.setSelText(startText + memo.SelText() + endText);
}

void InsertTagPair(TColorMemo &memo, const QString &startText, const QString &endText)
{
    InsertTagPair(memo, encodeFor(memo, startText), encodeFor(memo, endText));
}

void InsertTagPair(TextDocument &document, const QString &startText, const QString &endText)
{
    InsertTagPair(*document.editor(), startText, endText);
}

void MakeHeader(TextDocument &document, int level)
{
    const QString n = QString::number(level);
    InsertTagPair(document, QStringLiteral("<H") + n + QLatin1Char('>'), QStringLiteral("</H") + n + QLatin1Char('>'));
}
