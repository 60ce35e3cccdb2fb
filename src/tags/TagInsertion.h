#pragma once

#include <QByteArray>
#include <QString>

class QObject;
class TColorMemo;
class TextDocument;

// The two ways markup enters a document. Texts given as QString are encoded into
// the document's encoding; byte texts go in unchanged. Each call is one undo step
// and counts as an edit of the document.

// Markup text in the document's encoding: UTF-8, or Latin-1 with every character
// beyond it written as a numeric character reference ("&#8364;").
QByteArray EncodeMarkup(const QString &text, bool utf8);

// Writes text in place of the selection (or at the caret); the caret ends after
// it with nothing selected. An empty text deletes the selection.
void ReplaceSelection(TColorMemo &memo, const QByteArray &bytes);
void ReplaceSelection(TColorMemo &memo, const QString &text);
void ReplaceSelection(TextDocument &document, const QByteArray &bytes);
void ReplaceSelection(TextDocument &document, const QString &text);
// Literals are UTF-8 text.
inline void ReplaceSelection(TColorMemo &memo, const char *text)
{
    ReplaceSelection(memo, QString::fromUtf8(text));
}
inline void ReplaceSelection(TextDocument &document, const char *text)
{
    ReplaceSelection(document, QString::fromUtf8(text));
}

// Puts startText and endText around the selection, the caret ending after endText.
// With nothing selected both go in at the caret and the caret stands between them.
void InsertTagPair(TColorMemo &memo, const QByteArray &startText, const QByteArray &endText);
void InsertTagPair(TColorMemo &memo, const QString &startText, const QString &endText = QString());
void InsertTagPair(TextDocument &document, const QString &startText, const QString &endText = QString());
inline void InsertTagPair(TColorMemo &memo, const char *startText, const char *endText = "")
{
    InsertTagPair(memo, QString::fromUtf8(startText), QString::fromUtf8(endText));
}

// "<H" N ">" and "</H" N ">" around the selection, N the decimal level.
void MakeHeader(TextDocument &document, int level);
