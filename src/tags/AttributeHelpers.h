#pragma once

#include "platform/FileAsk.h"
#include "tags/AttributeValues.h"

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
