#pragma once

#include <QChar>

// Synthetic key presses. The key is handled after the current event handler has returned,
// by whatever widget has the focus then.
class Keyboard
{
public:
    virtual ~Keyboard() = default;
    virtual void pressKey(QChar character) = 0;
};
