#pragma once
// Hands work to the user-interface thread. The program and the CLI implement it
// with Qt's event loop; tests implement it with a queue they run themselves.

#include <functional>

class UiDispatcher {
public:
    virtual ~UiDispatcher() = default;
    // Runs fn later on the user-interface thread. Callable from any thread.
    virtual void post(std::function<void()> fn) = 0;
};
