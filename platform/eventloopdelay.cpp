#include "eventloopdelay.h"

#include <QEventLoop>
#include <QTimer>

void EventLoopDelay::wait(int seconds)
{
    if (seconds <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(std::chrono::seconds(seconds), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}
