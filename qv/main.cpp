#include "db/DbError.h"
#include "startup/Main.h"
#include "startup/QuorvelApplication.h"
#include "startup/RunTimeError.h"
#include "startup/AppInfo.h"

#include <QIcon>

#include <csignal>

int main(int argc, char* argv[])
{
    // A write past the user's file-size limit must fail and be reported, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QuorvelApplication app(argc, argv);
    QApplication::setApplicationName(AppInfo::kTitle);
    QApplication::setApplicationVersion(AppInfo::version());
    // The installed desktop entry and icon, both named after the program.
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvel"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quorvel")));
    Program program;
    try {
        program = Main();
    } catch (const DbError& error) {
        RunTimeError::report(error.number(), error.description());
    }
    return QApplication::exec();
}
