#pragma once
#include "platform/PictureReader.h"

#include <QTimer>
#include <QWidget>

// Shows a picture at its own size, centred and never stretched; animated GIFs
// play frame by frame. Empty, it shows nothing and its size is 0 by 0.
class PictureView : public QWidget
{
    Q_OBJECT
public:
    explicit PictureView(QWidget *parent = nullptr);
    // Loads a picture file; an unreadable or unknown file empties the view.
    // True when a picture is shown.
    bool loadFromFile(const QString &fileName);
    void setPicture(const Picture &picture);
    void clear();
    bool isEmpty() const { return m_picture.isNull(); }
    // The size of the picture shown, 0 by 0 when empty.
    int pictureWidth() const;
    int pictureHeight() const;
    int frameCount() const { return int(m_picture.frames.size()); }
    int currentFrame() const { return m_frame; }
    bool isAnimating() const { return m_timer.isActive(); }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void nextFrame();
    Picture m_picture;
    int m_frame = 0;
    QTimer m_timer;
};
