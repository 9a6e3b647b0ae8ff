#pragma once

// Waits while the window's events go on being handled.
class Delay
{
public:
    virtual ~Delay() = default;
    virtual void wait(int seconds) = 0;
};
