#pragma once

#include "keyboard.h"

// Posts the key to the widget that has the focus when the event is handled.
class PostedKeyboard : public Keyboard
{
public:
    void pressKey(QChar character) override;
};
