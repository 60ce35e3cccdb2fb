#include "widgets/DialogParts.h"

#include <QDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace {

// The row is made before the fields it closes, so the buttons come first in the
// focus chain and would take the keyboard focus when the dialog opens. Unless the
// dialog chose a field itself, the first field that can take focus gets it when
// the dialog is shown: typing starts in a field and Tab still reaches the buttons.
class FocusFirstField : public QObject
{
public:
    FocusFirstField(QDialog *dialog, QPushButton *cancel) : QObject(dialog), m_dialog(dialog), m_cancel(cancel)
    {
        dialog->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_dialog && event->type() == QEvent::Show && !m_dialog->focusWidget()) {
            for (QWidget *w = m_cancel->nextInFocusChain(); w != m_dialog && w != m_cancel; w = w->nextInFocusChain()) {
                if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(m_dialog)
                    && m_dialog->isAncestorOf(w)) {
                    w->setFocus(Qt::TabFocusReason);
                    break;
                }
            }
        }
        return false;
    }

private:
    QDialog *m_dialog;
    QPushButton *m_cancel;
};

}  // namespace

QHBoxLayout *OkCancelButtons(QDialog *dialog)
{
    auto *ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("OKBtn"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    new FocusFirstField(dialog, cancel);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

QIcon GlyphIcon(const QString &text, const QColor &colour, int size)
{
    const bool big = size >= 24;
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(140), 1));
    p.setBrush(colour.lighter(185));
    const qreal inset = big ? 1.5 : 0.5;
    const qreal radius = big ? 4 : 3;
    p.drawRoundedRect(QRectF(inset, inset, size - 2 * inset, size - 2 * inset), radius, radius);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(text.size() > 2 ? (big ? 8 : 6) : (big ? 11 : 10));
    p.setFont(f);
    p.setPen(colour.darker(160));
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, text);
    return QIcon(pm);
}
