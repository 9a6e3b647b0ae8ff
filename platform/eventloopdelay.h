#pragma once

#include "delay.h"

// Waits in an event loop that a timer on the monotonic clock ends: the window's events run,
// the processor stays idle, and midnight makes no difference.
class EventLoopDelay : public Delay
{
public:
    void wait(int seconds) override;
};
