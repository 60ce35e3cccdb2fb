#pragma once

#include <QWidget>

class QLabel;

// The start-up window: a picture with one status line.
class TsplashScreen : public QWidget
{
    Q_OBJECT
public:
    explicit TsplashScreen(QWidget *parent = nullptr);
    // Shows the window, paints it and blocks for the given seconds.
    void showFor(int seconds);
    QLabel *status() const { return m_status; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_status;
};
