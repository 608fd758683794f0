#include "Form1.h"
#include "WaysetVersion.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wayset"));
    QApplication::setApplicationVersion(WaysetVersion::full());
    Form1 window;
    window.show();
    return QApplication::exec();
}
