#pragma once

#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"
#include "platform/Prompts.h"

#include <QStringList>
#include <QWidget>

// A document window reduced to what element commands see: a real editor, a
// file name, a modified flag set by every change, and saving that only records.
class FakeDocument : public TextDocument
{
public:
    explicit FakeDocument(const QByteArray &text = {}, const QString &fileName = {}) : m_fileName(fileName)
    {
        m_memo = new TColorMemo(&m_window);
        m_memo->loadBytes(text);
        QObject::connect(m_memo, &TColorMemo::textChanged, [this] { m_modified = true; });
    }

    TColorMemo *editor() const override { return m_memo; }
    QString documentFileName() const override { return m_fileName; }
    bool isModified() const override { return m_modified; }
    bool saveDocument(const QString &fileName) override
    {
        saves.append(fileName);
        m_fileName = fileName;
        m_modified = false;
        return true;
    }
    bool saveDocumentAs() override
    {
        Prompts::FileRequest request;
        request.caption = QStringLiteral("Save As");
        request.filters = {QStringLiteral("HTML Files (*.html)"), QStringLiteral("HTM Files (*.htm)"),
                           QStringLiteral("All Files (*)")};
        request.save = true;
        const QString name = Prompts::instance().askFile(&m_window, request).fileName;
        return !name.isEmpty() && saveDocument(name);
    }
    QWidget *window() override { return &m_window; }
    QString docType() const override { return m_docType; }
    void setDocType(const QString &line) override { m_docType = line; }

    QByteArray text() const { return m_memo->bytes(); }
    // Selects [from, from + length).
    void select(int from, int length)
    {
        m_memo->setSelStart(from);
        m_memo->setSelLength(length);
    }
    bool canUndo() const { return m_memo->SendScintilla(QsciScintilla::SCI_CANUNDO) != 0; }
    void undo() { m_memo->SendScintilla(QsciScintilla::SCI_UNDO); }

    QStringList saves;

private:
    QWidget m_window;
    TColorMemo *m_memo = nullptr;
    QString m_fileName;
    QString m_docType;
    bool m_modified = false;
};
