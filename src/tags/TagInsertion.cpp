#include "tags/TagInsertion.h"

#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"


void ReplaceSelection(TColorMemo &memo, const QByteArray &bytes)
{
    UndoStep step(&memo);
    memo.setSelText(bytes);
}

void ReplaceSelection(TColorMemo &memo, const QString &text)
{
    ReplaceSelection(memo, memo.encode(text));
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
    InsertTagPair(memo, memo.encode(startText), memo.encode(endText));
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
