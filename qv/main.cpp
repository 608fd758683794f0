#include "db/DbError.h"
#include "startup/Main.h"
#include "startup/QuorvelApplication.h"
#include "startup/RunTimeError.h"
#include "startup/AppInfo.h"

int main(int argc, char* argv[])
{
    QuorvelApplication app(argc, argv);
    QApplication::setApplicationName(AppInfo::kTitle);
    QApplication::setApplicationVersion(AppInfo::version());
    Program program;
    try {
        program = Main();
    } catch (const DbError& error) {
        RunTimeError::report(error.number(), error.description());
    }
    return QApplication::exec();
}
