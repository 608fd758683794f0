#include "LongWait.h"

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
    if (observer())
        observer()();
}

} // namespace LongWait
