// Built without Qt DBus: no taskbar progress.
#include "TaskbarProgress.h"

std::unique_ptr<TTaskbarProgress> makeTaskbarProgress()
{
    return std::make_unique<TNoTaskbarProgress>();
}
