// guidepdf <document.md> <output.pdf>: writes the user's guide PDF at build time.

#include "GuidePdf.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    // Fonts and pictures need the GUI library, never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 3) {
        err << "usage: guidepdf <document.md> <output.pdf>\n";
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "guidepdf: cannot read " << source << ": " << file.errorString() << '\n';
        return 1;
    }
    QString error;
    if (!GuidePdf::write(QString::fromUtf8(file.readAll()), QFileInfo(source).absolutePath(),
                         QString::fromLocal8Bit(argv[2]), &error)) {
        err << "guidepdf: " << error << '\n';
        return 1;
    }
    return 0;
}
