#include "Form1.h"
#include "WaysetVersion.h"

#include <QApplication>

#include <csignal>

int main(int argc, char* argv[])
{
    // A write past the user's file-size limit must fail and be reported, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wayset"));
    QApplication::setApplicationVersion(WaysetVersion::full());
    Form1 window;
    window.show();
    return QApplication::exec();
}
