#pragma once

#include <QLabel>

// A label or image that reports a click: the press and release of the left button on it.
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    // Shows `picture` stretched to the control's size, as an image control does.
    void setPicture(const QPixmap &picture);

    // Free text that the program keeps with the control (a mark's completion state).
    QString Tag;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool pressed_ = false;
};
