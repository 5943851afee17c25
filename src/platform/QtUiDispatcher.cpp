#include "QtUiDispatcher.h"

#include <QMetaObject>
#include <QObject>

QtUiDispatcher::QtUiDispatcher() : owned_(std::make_unique<QObject>()), context_(owned_.get()) {}

QtUiDispatcher::QtUiDispatcher(QObject* context) : context_(context) {}

QtUiDispatcher::~QtUiDispatcher() = default;

void QtUiDispatcher::post(std::function<void()> fn)
{
    QMetaObject::invokeMethod(
        context_, [fn = std::move(fn)] { fn(); }, Qt::QueuedConnection);
}
