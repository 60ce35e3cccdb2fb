#pragma once

#include <QString>

class QWidget;
class TColorMemo;

// What the element commands and dialogs may touch of a document: its editor's
// text model, its file name and modified flag, and saving it.
class TextDocument
{
public:
    virtual ~TextDocument() = default;
    virtual TColorMemo *editor() const = 0;
    virtual QString documentFileName() const = 0;
    virtual bool isModified() const = 0;
    // Saves under the given name (DefaultExt rule applied); false when the file could not be written.
    virtual bool saveDocument(const QString &fileName) = 0;
    // Asks for a name and saves; false when cancelled or failed.
    virtual bool saveDocumentAs() = 0;
    virtual QWidget *window() = 0;
    // The document type line last written by the structure dialog; empty for none.
    // Documents that do not keep one ignore it.
    virtual QString docType() const { return QString(); }
    virtual void setDocType(const QString &) {}
};
