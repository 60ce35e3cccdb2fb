#include "widgets/PictureView.h"

#include <QPainter>

TPictureView::TPictureView(QWidget *parent) : QWidget(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &TPictureView::nextFrame);
}

bool TPictureView::loadFromFile(const QString &fileName)
{
    setPicture(ReadPicture(fileName));
    return !isEmpty();
}

void TPictureView::setPicture(const Picture &picture)
{
    m_timer.stop();
    m_picture = picture;
    m_frame = 0;
    if (m_picture.frames.size() > 1)
        m_timer.start(m_picture.frames.first().delayMs);
    resize(sizeHint());
    updateGeometry();
    update();
}

void TPictureView::clear()
{
    setPicture(Picture());
}

int TPictureView::pictureWidth() const
{
    return isEmpty() ? 0 : m_picture.frames.first().image.width();
}

int TPictureView::pictureHeight() const
{
    return isEmpty() ? 0 : m_picture.frames.first().image.height();
}

QSize TPictureView::sizeHint() const
{
    return {pictureWidth(), pictureHeight()};
}

void TPictureView::nextFrame()
{
    if (m_picture.frames.size() < 2)
        return;
    m_frame = (m_frame + 1) % int(m_picture.frames.size());
    m_timer.start(m_picture.frames[m_frame].delayMs);
    update();
}

void TPictureView::paintEvent(QPaintEvent *)
{
    if (isEmpty())
        return;
    const QImage &image = m_picture.frames[m_frame].image;
    QPainter painter(this);
    painter.drawImage(QPoint((width() - image.width()) / 2, (height() - image.height()) / 2), image);
}
