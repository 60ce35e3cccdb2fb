#include "app/GoToLineDlg.h"

#include "editor/ColorMemo.h"
#include "platform/Prompts.h"
#include "widgets/DialogParts.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

using B = QsciScintillaBase;

GoToLineDlg::GoToLineDlg(int lineCount, int currentLine, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GoToLineDlg"));
    setWindowTitle(QStringLiteral("Go to Line"));
    m_line = new QSpinBox(this);
    m_line->setObjectName(QStringLiteral("lineEdit"));
    m_line->setRange(1, std::max(1, lineCount));
    m_line->setValue(std::clamp(currentLine, 1, std::max(1, lineCount)));
    m_line->selectAll();
    auto *label = new QLabel(QStringLiteral("&Line number (1 - %1):").arg(std::max(1, lineCount)), this);
    label->setBuddy(m_line);
    auto *form = new QFormLayout;
    form->addRow(label, m_line);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(OkCancelButtons(this));
}

int GoToLineDlg::line() const
{
    return m_line->value();
}

void GoToLine(TColorMemo &memo, qint64 line)
{
    const qint64 last = memo.SendScintilla(B::SCI_GETLINECOUNT) - 1;
    line = std::clamp<qint64>(line, 0, last);
    memo.SendScintilla(B::SCI_ENSUREVISIBLEENFORCEPOLICY, static_cast<unsigned long>(line));
    memo.SendScintilla(B::SCI_GOTOLINE, static_cast<unsigned long>(line));
    // Text typed on the first line goes after a byte-order mark, never before it.
    if (line == 0 && memo.textStart() > 0)
        memo.setSelStart(memo.textStart());
}

void GoToLine1Click(TColorMemo &memo, QWidget *parent)
{
    const qint64 lines = memo.SendScintilla(B::SCI_GETLINECOUNT);
    const qint64 current = memo.SendScintilla(B::SCI_LINEFROMPOSITION, static_cast<unsigned long>(memo.SelStart()));
    // The spin box holds an int; a document has fewer lines than bytes, and fewer bytes than that.
    GoToLineDlg dlg(int(lines), int(current + 1), parent);
    if (Prompts::instance().runModal(&dlg) == QDialog::Accepted)
        GoToLine(memo, dlg.line() - 1);
    memo.setFocus();
}
