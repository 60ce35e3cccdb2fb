#include "widgets/PictureView.h"

#include <QPainter>

PictureView::PictureView(QWidget *parent) : QWidget(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &PictureView::nextFrame);
}

bool PictureView::loadFromFile(const QString &fileName)
{
    setPicture(ReadPicture(fileName));
    return !isEmpty();
}

void PictureView::setPicture(const Picture &picture)
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

void PictureView::clear()
{
    setPicture(Picture());
}

int PictureView::pictureWidth() const
{
    return isEmpty() ? 0 : m_picture.frames.first().image.width();
}

int PictureView::pictureHeight() const
{
    return isEmpty() ? 0 : m_picture.frames.first().image.height();
}

QSize PictureView::sizeHint() const
{
    return {pictureWidth(), pictureHeight()};
}

void PictureView::nextFrame()
{
    if (m_picture.frames.size() < 2)
        return;
    m_frame = (m_frame + 1) % int(m_picture.frames.size());
    m_timer.start(m_picture.frames[m_frame].delayMs);
    update();
}

void PictureView::paintEvent(QPaintEvent *)
{
    if (isEmpty())
        return;
    const QImage &image = m_picture.frames[m_frame].image;
    QPainter painter(this);
    painter.drawImage(QPoint((width() - image.width()) / 2, (height() - image.height()) / 2), image);
}
