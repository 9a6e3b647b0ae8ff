#pragma once

#include <QAccessible>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QLabel>

// A label or image that reports a click: the press and release of the left button on it, a
// double- or triple-click counting once. Given the keyboard focus, Enter and Space click it.
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

    // A key that clicks it wherever the focus is in its window. The tool tip gives the
    // accessible name, set before, and the key; the description for screen readers the key.
    void setShortcut(const QKeySequence &key);
    QKeySequence shortcut() const { return shortcut_; }

    // Free text that the program keeps with the control (a mark's completion state).
    QString Tag;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool pressed_ = false;
    QDeadlineTimer tripleClick_; // a press before it ends is the third of a triple-click
    int releasedKey_ = 0;        // the last key released, and when
    QElapsedTimer released_;
    QAccessible::Role accessibleRole_ = QAccessible::Graphic;
    QKeySequence shortcut_;
    QWidget *focusFrame_ = nullptr;
};
