#include "widgets/DialogParts.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

QHBoxLayout *OkCancelButtons(QDialog *dialog)
{
    auto *ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("OKBtn"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
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
