#include "widgets/DialogParts.h"

#include "platform/Prompts.h"
#include "widgets/NumberEdit.h"
#include "widgets/RadioGroup.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

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

QLabel *labelFor(const QString &caption, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QCheckBox(caption, parent), name);
}

NumberEdit *numberEdit(QWidget *parent, const char *name, int minimum, int maximum, int value)
{
    auto *edit = named(new NumberEdit(parent), name);
    edit->setRange(minimum, maximum);
    edit->setValue(value);
    return edit;
}

RadioGroup *radioGroup(QWidget *parent, const char *name, const QString &title, const QStringList &items, int columns,
                       int selected)
{
    auto *group = named(new RadioGroup(title, items, columns, parent), name);
    group->setItemIndex(selected);
    return group;
}

void enables(QCheckBox *box, std::initializer_list<QWidget *> partners)
{
    for (QWidget *partner : partners) {
        // A field that the box switches on is what the box says it is.
        auto *button = qobject_cast<QAbstractButton *>(partner);
        if (partner->accessibleName().isEmpty() && (!button || button->text().isEmpty()))
            partner->setAccessibleName(QString(box->text()).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
        partner->setEnabled(box->isChecked());
        QObject::connect(box, &QCheckBox::toggled, partner, &QWidget::setEnabled);
    }
}

OkCancel OkCancelButtons(QDialog *dialog, Qt::Orientation along, const std::function<void()> &onOk,
                         const std::function<void()> &onCancel)
{
    auto *ok = named(new QPushButton(QStringLiteral("OK"), dialog), "OKBtn");
    auto *cancel = named(new QPushButton(QStringLiteral("Cancel"), dialog), "CancelBtn");
    ok->setDefault(true);
    if (onOk)
        QObject::connect(ok, &QPushButton::clicked, dialog, onOk);
    else
        QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    if (onCancel)
        QObject::connect(cancel, &QPushButton::clicked, dialog, onCancel);
    else
        QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    new FocusFirstField(dialog, cancel);
    QBoxLayout *layout = nullptr;
    if (along == Qt::Horizontal) {
        layout = new QHBoxLayout;
        layout->addStretch(1);
        layout->addWidget(ok);
        layout->addWidget(cancel);
    } else {
        layout = new QVBoxLayout;
        layout->addWidget(ok);
        layout->addWidget(cancel);
        layout->addStretch(1);
    }
    return {layout, ok, cancel};
}

QHBoxLayout *OkCancelButtons(QDialog *dialog)
{
    return static_cast<QHBoxLayout *>(OkCancelButtons(dialog, Qt::Horizontal, {}).layout);
}

bool RunThenWrite(QDialog &dialog, const std::function<void()> &write)
{
    if (Prompts::instance().runModal(&dialog) != QDialog::Accepted)
        return false;
    write();
    return true;
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
