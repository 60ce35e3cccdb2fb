#pragma once

#include "objects/FontMarkup.h"
#include "tags/TableMarkup.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The scripts of the JavaScript wizard, in the order of its list; each one's
// settings page is its index + 1.
enum class JsWizardScript { LastModified = 0, ScrollingButton = 1, Fade = 2, TextFade = 3 };

// The entries of the JavaScript entries file that the wizard writes.
enum JsWizardEntry {
    LastModifiedEntry = 0,
    ScrollingButtonEntry = 1,
    FadeEntry = 2,
    TextFadeHeadEntry = 5,
    TextFadeBodyEntry = 6,
};

QStringList JsWizardScriptNames();
QStringList JsWizardDescriptions();

// A colour as the scripts take it: three components 0 to 255.
struct JsRgb
{
    int red = 255;
    int green = 255;
    int blue = 255;
};

// Everything the wizard's pages hold, as plain values.
struct JsWizardValues
{
    JsWizardScript script = JsWizardScript::LastModified;
    QString align;                             // "None", "Left", "Center", "Right" (Last modified)
    QString scrollText, formName, submitName;  // Scrolling Submit-Button
    JsRgb fadeFrom, fadeTo;                    // Fade
    int speed = 2;
    JsRgb textFrom, textTo;  // Text Fade
    QString fadeText;
};

// A typed value as the body of a JavaScript string literal in a document of
// the given encoding. A single-byte document cannot hold characters beyond
// Latin-1, and a character reference means nothing inside a script, so those
// become \u escapes there.
QString JsScriptValue(const QString &typed, bool utf8Document);

// The parameter text of each script's entry (see JoinJSParams).
QString ScrollingButtonParams(const JsWizardValues &values, bool utf8Document);
QString FadeParams(const JsWizardValues &values);
QString TextFadeParams(const JsWizardValues &values, bool utf8Document);

// Last modified: the font tags of the font choice go around the selection,
// then the script, inside a DIV when an alignment is chosen, at the caret.
struct LastModifiedTexts
{
    TagPairTexts font;
    TagPairTexts script;  // start: the DIV start tag and the entry; end: "</DIV>" or empty
};
LastModifiedTexts LastModifiedMarkup(const FontChoiceValues &font, const QString &align, const QString &entry);

// Where Text Fade writes into a document. The head part goes after the line
// of the first <head> tag (any case, attributes allowed) when nothing else
// follows the tag on its line, else right after the tag; in a document
// without one it goes just before the body part. headAt is -1 when the
// document already holds the head part. The body part goes at the caret,
// moved on by a head part written before it.
struct TextFadePlacement
{
    qsizetype headAt = -1;
    QByteArray headText;  // CR LF, the head part, CR LF
    qsizetype bodyAt = 0;
};
TextFadePlacement PlaceTextFade(QByteArrayView text, qsizetype caret, QByteArrayView headPart);

// The offset where the head part goes after the first <head> tag; -1 when the
// text has no complete one.
qsizetype HeadPartPosition(QByteArrayView text);
