#pragma once

#include <QByteArray>
#include <Qsci/qsciscintilla.h>

// The editor of a document window. The document is bytes: positions are byte
// offsets and a line break is the two bytes CR LF.
class TColorMemo : public QsciScintilla
{
    Q_OBJECT
public:
    explicit TColorMemo(QWidget *parent = nullptr);

    // The whole text, without a copy: valid until the next change.
    QByteArrayView textView() const;
    QByteArray bytes() const { return textView().toByteArray(); }
    int length() const;
    // Bytes [from, to) without copying the rest of the document.
    QByteArrayView rangeView(int from, int to) const;

    // Replaces the whole text; empties undo history and leaves the caret at 0.
    void loadBytes(const QByteArray &bytes);
    // Loading in pieces: the text is emptied, the pieces appended, and the
    // display encoding chosen from the whole text at the end.
    void beginLoad(qint64 expectedSize);
    void appendLoadedBytes(QByteArrayView bytes);
    void endLoad();

    int SelStart() const;
    int SelLength() const;
    QByteArray SelText() const;
    // Moves the caret and removes the selection.
    void setSelStart(int pos);
    // Selects that many bytes from the caret.
    void setSelLength(int length);
    // Replaces the selection (or inserts at the caret), caret after the text.
    void setSelText(const QByteArray &bytes);
    // Text typed in dialogs, encoded into the document's encoding.
    void setSelText(const QString &text);
    QByteArray encode(const QString &text) const;
    QString decode(QByteArrayView bytes) const;

    // Whether the display reads the bytes as UTF-8 (else Latin-1).
    bool isUtf8Document() const;

    void beginUndoAction();
    void endUndoAction();

signals:
    void keyDown(QKeyEvent *event);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void clearClashingKeys();
    long m_wrapAfterLoad = 0;
};

// Groups changes into one undo step for the lifetime of the object.
class UndoStep
{
public:
    explicit UndoStep(TColorMemo *memo) : m_memo(memo) { m_memo->beginUndoAction(); }
    ~UndoStep() { m_memo->endUndoAction(); }
    UndoStep(const UndoStep &) = delete;
    UndoStep &operator=(const UndoStep &) = delete;

private:
    TColorMemo *m_memo;
};
