#include "app/AboutBox.h"

#include "app/Preview.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

const QString AboutBox::HomePage = QStringLiteral("https://tagloom.org/");
const QString AboutBox::MailAddress = QStringLiteral("mailto:hello@tagloom.org");

AboutBox::AboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    auto *layout = new QVBoxLayout(this);

    QPixmap picture(64, 64);
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(0x1f4e79));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
        p.setPen(Qt::white);
        QFont f = p.font();
        f.setPixelSize(22);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(0, 0, 64, 64), Qt::AlignCenter, QStringLiteral("</>"));
    }
    auto *pictureLabel = new QLabel(this);
    pictureLabel->setObjectName(QStringLiteral("ProgramIcon"));
    pictureLabel->setPixmap(picture);
    pictureLabel->setAlignment(Qt::AlignCenter);
    layout->addWidget(pictureLabel);

    auto *product = new QLabel(QStringLiteral("<b>Tagloom</b>"), this);
    product->setObjectName(QStringLiteral("ProductName"));
    product->setAlignment(Qt::AlignCenter);
    layout->addWidget(product);
    auto *version = new QLabel(QStringLiteral("Verison 1.5"), this);
    version->setObjectName(QStringLiteral("Version"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);
    auto *year = new QLabel(QStringLiteral("1997"), this);
    year->setObjectName(QStringLiteral("Copyright"));
    year->setAlignment(Qt::AlignCenter);
    layout->addWidget(year);
    auto *contact = new QLabel(QStringLiteral("Questions, ideas and bug reports are welcome:"), this);
    contact->setAlignment(Qt::AlignCenter);
    layout->addWidget(contact);

    auto addLink = [this, layout](const QString &name, const QString &target, const QString &text) {
        auto *link = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(target, text), this);
        link->setObjectName(name);
        link->setAlignment(Qt::AlignCenter);
        link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        connect(link, &QLabel::linkActivated, this, [](const QString &url) { PreviewInBrowser(url); });
        layout->addWidget(link);
    };
    addLink(QStringLiteral("HomePageLink"), HomePage, QStringLiteral("tagloom.org"));
    addLink(QStringLiteral("MailLink"), MailAddress, QStringLiteral("hello@tagloom.org"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName(QStringLiteral("OKButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
