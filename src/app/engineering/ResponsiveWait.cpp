#include "ResponsiveWait.h"

#include <QEventLoop>
#include <QTimer>

void responsiveWait(int ms)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(ms > 0 ? ms : 0);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
