#include "lineshape.h"

#include <QPainter>

LineShape::LineShape(QPalette::ColorRole role, QWidget *parent) : QWidget(parent), role_(role)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(role_));
}
