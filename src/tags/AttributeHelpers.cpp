#include "tags/AttributeHelpers.h"

#include "editor/TextDocument.h"
#include "platform/Prompts.h"

QString UnsavedDocumentQuestion()
{
    return QStringLiteral(
        "Cannot make the path relative to the document's \r\n"
        "path because the document hasn't been saved yet.\r\n"
        "Do you want to save the document now ?\r\n"
        "\r\n"
        "Notice that if you don't save the document now you will have to save it latter and try again.");
}

QString MakeRelativePath(TextDocument &document, const QString &fileName, PathStyle style)
{
    if (fileName.isEmpty() || !IsAbsoluteFileName(fileName, style))
        return fileName;
    if (document.documentFileName().isEmpty()) {
        const auto answer = Prompts::instance().message(document.window(), QStringLiteral("Warning"),
                                                        UnsavedDocumentQuestion(), QMessageBox::Warning,
                                                        QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes || !document.saveDocumentAs() || document.documentFileName().isEmpty())
            return fileName;
    }
    return RelativePathTo(fileName, document.documentFileName(), style);
}
