#include "app/StatusFields.h"

#include "app/CaretPlace.h"
#include "app/ChildWin.h"
#include "app/StatusText.h"
#include "editor/ColorMemo.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

namespace {
QLabel *field(QStatusBar *bar, const char *name)
{
    auto *label = new QLabel(bar);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameShape(QFrame::StyledPanel);
    label->hide();
    bar->addPermanentWidget(label);
    return label;
}

int fieldWidth(const QLabel *label, const QString &text)
{
    const QMargins m = label->contentsMargins();
    return label->fontMetrics().horizontalAdvance(text) + m.left() + m.right() + 2 * label->margin() + 4;
}

CaretPlace *caretPlaceOf(TColorMemo *memo)
{
    // One per editor, kept with it: its remembered places serve the next visit too.
    auto *place = memo->findChild<CaretPlace *>(QString(), Qt::FindDirectChildrenOnly);
    return place ? place : new CaretPlace(memo);
}
}  // namespace

DocumentStatusFields::DocumentStatusFields(QStatusBar *bar, QMdiArea *area) : QObject(bar), m_area(area)
{
    m_caret = field(bar, "caretStatus");
    m_encoding = field(bar, "encodingStatus");
    m_lineEnds = field(bar, "lineEndsStatus");
    // Wide enough for a long line and a selection, so the fields do not jump as
    // the caret moves; and of a fixed size, so a new text repaints the field
    // alone instead of laying out the status bar again on every key.
    m_caret->setText(QStringLiteral("Ln 99999, Col 999 (9999 selected)"));
    m_caret->setFixedSize(std::max(m_caret->sizeHint().width(), fieldWidth(m_caret, m_caret->text())),
                          m_caret->sizeHint().height());
    m_caret->clear();
    connect(area, &QMdiArea::subWindowActivated, this, &DocumentStatusFields::follow);
}

void DocumentStatusFields::follow(QMdiSubWindow *window)
{
    // The area reports no window while the program is in the background too:
    // the fields keep showing the window that will be active again.
    if (!window)
        window = m_area->currentSubWindow();
    auto *doc = window ? qobject_cast<TMDIChild *>(window->widget()) : nullptr;
    if (doc == m_doc && doc)
        return;
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_doc = doc;
    for (QLabel *label : {m_caret, m_encoding, m_lineEnds})
        label->setVisible(doc);
    if (!doc)
        return;
    TColorMemo *memo = doc->Memo1;
    m_connections = {
        connect(memo, &QsciScintillaBase::SCN_UPDATEUI, this,
                [this](int updated) {
                    if (updated & (QsciScintillaBase::SC_UPDATE_CONTENT | QsciScintillaBase::SC_UPDATE_SELECTION))
                        showCaret();
                }),
        connect(memo, &TColorMemo::loaded, this,
                [this] {
                    showFile();
                    showCaret();
                }),
        connect(doc, &TMDIChild::documentSaved, this, &DocumentStatusFields::showFile),
        // The window goes without another taking its place before the area says so.
        connect(
            doc, &QObject::destroyed, this, [this] { follow(nullptr); }, Qt::QueuedConnection),
    };
    showFile();
    showCaret();
}

void DocumentStatusFields::showCaret()
{
    if (!m_doc)
        return;
    const CaretPlace::Place place = caretPlaceOf(m_doc->Memo1)->place();
    const QString text = caretStatus(place.line, place.column, place.selectedChars);
    if (m_caret->text() == text)
        return;
    // A longer text (a huge selection) widens the field once; it never shrinks back.
    const int width = fieldWidth(m_caret, text);
    if (width > m_caret->width())
        m_caret->setFixedWidth(width);
    m_caret->setText(text);
}

void DocumentStatusFields::showFile()
{
    if (!m_doc)
        return;
    TColorMemo *memo = m_doc->Memo1;
    m_encoding->setText(encodingLabel(memo->isUtf8Document(), memo->textStart() > 0));
    m_lineEnds->setText(lineEndsLabel(memo->loadedLineEnds()));
    m_lineEnds->setToolTip(lineEndsNote(memo->loadedLineEnds()));
}
