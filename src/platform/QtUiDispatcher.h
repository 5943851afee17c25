#pragma once
// UiDispatcher on Qt's event loop: posted work runs, in posting order, on the
// thread of a context object (the user-interface thread). Callable from any
// thread; work still queued when the dispatcher goes is dropped.

#include "UiDispatcher.h"

#include <memory>

class QObject;

class QtUiDispatcher final : public UiDispatcher {
public:
    // Uses a context object of its own, living in the calling thread.
    QtUiDispatcher();
    // Uses the given context object (which must outlive the dispatcher).
    explicit QtUiDispatcher(QObject* context);
    ~QtUiDispatcher() override;
    QtUiDispatcher(const QtUiDispatcher&) = delete;
    QtUiDispatcher& operator=(const QtUiDispatcher&) = delete;

    void post(std::function<void()> fn) override;

private:
    std::unique_ptr<QObject> owned_;
    QObject* context_;
};
