#include "app/SplashScreen.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>

TsplashScreen::TsplashScreen(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("splashScreen"));
    setFixedSize(360, 236);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    QFont f = m_status->font();
    f.setBold(true);
    m_status->setFont(f);
    m_status->setStyleSheet(QStringLiteral("color: white; padding: 4px 8px;"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    layout->addWidget(m_status);
    if (QScreen *screen = QApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TsplashScreen::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, width(), height());
    g.setColorAt(0, QColor(0x1f4e79));
    g.setColorAt(1, QColor(0x2e8b57));
    p.fillRect(rect(), g);
    p.setPen(QColor(255, 255, 255, 60));
    QFont mono(QStringLiteral("Monospace"));
    mono.setPixelSize(13);
    p.setFont(mono);
    const char *lines[] = {"<HTML>", "  <HEAD><TITLE>", "  <BODY>", "    <H1>", "    <P>", "  </BODY>", "</HTML>"};
    for (int i = 0; i < 7; ++i)
        p.drawText(200, 40 + i * 20, QString::fromLatin1(lines[i]));
    QFont title = font();
    title.setPixelSize(44);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(24, 60, 320, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tagloom"));
    QFont sub = font();
    sub.setPixelSize(14);
    p.setFont(sub);
    p.drawText(QRect(26, 118, 320, 24), Qt::AlignLeft, QStringLiteral("HTML by hand, done well"));
}

void TsplashScreen::showFor(int seconds)
{
    show();
    m_status->setText(QStringLiteral("Loading Tagloom..."));
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
    // Deliberately blocking: the program does nothing else while the splash is up.
    if (seconds > 0)
        QThread::msleep(static_cast<unsigned long>(seconds) * 1000);
    hide();
}
