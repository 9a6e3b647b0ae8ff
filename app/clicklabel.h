#pragma once

#include <QAccessible>
#include <QLabel>

// A label or image that reports a click: the press and release of the left button on it.
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent = nullptr);
    ClickLabel(const QString &text, QWidget *parent);

    // Shows `picture` stretched to the control's size, as an image control does.
    void setPicture(const QPixmap &picture);

    // What a screen reader announces it as: a picture, or a button or link that reacts.
    QAccessible::Role accessibleRole() const { return accessibleRole_; }
    void setAccessibleRole(QAccessible::Role role) { accessibleRole_ = role; }

    // Free text that the program keeps with the control (a mark's completion state).
    QString Tag;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool pressed_ = false;
    QAccessible::Role accessibleRole_ = QAccessible::Graphic;
};
