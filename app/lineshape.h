#pragma once

#include <QPalette>
#include <QWidget>

// A horizontal line of one pixel in a colour of the palette.
class LineShape : public QWidget
{
    Q_OBJECT
public:
    LineShape(QPalette::ColorRole role, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPalette::ColorRole role_;
};
