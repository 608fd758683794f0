#include "WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTimer>

namespace WaitCursor {

void showUntilIdle()
{
    static bool shown = false;
    if (shown || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    shown = true;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    // The window system gets the cursor now, not when the event loop next runs.
    QGuiApplication::sync();
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        QGuiApplication::restoreOverrideCursor();
        shown = false;
    });
}

} // namespace WaitCursor
