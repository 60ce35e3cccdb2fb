#pragma once

#include <QDialog>

class QSpinBox;
class TColorMemo;

// Asks for a line number between 1 and the last line, the caret's line first.
class GoToLineDlg : public QDialog
{
    Q_OBJECT
public:
    GoToLineDlg(int lineCount, int currentLine, QWidget *parent = nullptr);
    // From 1.
    int line() const;

private:
    QSpinBox *m_line;
};

// Puts the caret at the start of the line (from 0, held to the document's
// lines) and scrolls the line into view.
void GoToLine(TColorMemo &memo, qint64 line);
// The Edit menu's "Go to Line...": the dialog, then the caret to the chosen line.
void GoToLine1Click(TColorMemo &memo, QWidget *parent);
