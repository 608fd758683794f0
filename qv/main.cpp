#include "db/DbError.h"
#include "startup/Main.h"
#include "startup/QuorvelApplication.h"
#include "startup/RunTimeError.h"
#include "startup/AppInfo.h"

#include <csignal>

int main(int argc, char* argv[])
{
    // A write past the user's file-size limit must fail and be reported, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
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
