#pragma once

#include <functional>

// What a statement that waits for another program's lock tells the user interface: once the
// wait has lasted half a second, and again about every tenth of a second until it ends, the
// observer is called on the waiting thread, when that is the application's main thread: a
// background thread's waits tell nobody. The database layer knows nothing of windows or
// cursors; the program installs the observer.
namespace LongWait {

constexpr int kNoticeAfterMs = 500;

// Replaces the observer; an empty function tells nobody.
void setObserver(std::function<void()> observer);
void notify();

} // namespace LongWait
