#include "LongWait.h"

#include <QCoreApplication>
#include <QThread>

namespace LongWait {

namespace {
std::function<void()>& observer()
{
    static std::function<void()> installed;
    return installed;
}
} // namespace

void setObserver(std::function<void()> replacement)
{
    observer() = std::move(replacement);
}

void notify()
{
    const QCoreApplication* application = QCoreApplication::instance();
    if (application && QThread::currentThread() != application->thread())
        return;
    if (observer())
        observer()();
}

} // namespace LongWait
