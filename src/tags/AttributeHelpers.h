#pragma once

#include "tags/AttributeValues.h"
#include "tags/FileAsk.h"

class QWidget;
class TextDocument;

// The text of the question asked before making a name relative to a document that
// was never saved.
QString UnsavedDocumentQuestion();

// fileName relative to the folder of the document (see RelativePathTo). When the
// document was never saved, asks whether to save it now: No, or a cancelled or
// failed save, returns the name unchanged. Never fails: what it cannot make
// relative comes back unchanged.
QString MakeRelativePath(TextDocument &document, const QString &fileName, PathStyle style = NativePathStyle);

// The shared file messages, numbered from 1.
enum FileMessage : int {
    NotAValidProjectFile = 1,  // "%s" CR LF "is not a valid project file"
    FileNotFound = 2,          // "%s" CR LF "not found"
    MaximumPrivateTags = 3,    // "Maximum 20 private tags"
};

// The message numbered number with name in place of "%s"; empty for an unknown number.
QString FileMessageText(int number, const QString &name);

// Shows that message in an error box with an OK button; an unknown number shows nothing.
void ShowFileMessage(int number, const QString &name, QWidget *parent = nullptr);
