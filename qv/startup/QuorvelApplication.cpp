#include "QuorvelApplication.h"

#include "db/DbError.h"
#include "startup/RunTimeError.h"

QuorvelApplication::QuorvelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool QuorvelApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError& error) {
        RunTimeError::report(error.number(), error.description());
    }
    return false;
}
