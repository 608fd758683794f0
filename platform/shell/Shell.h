#pragma once

#include <QString>
#include <QUrl>

// Starting documents and programs, so that tests can replace it with a recording one
// (see installShell()).
class Shell
{
public:
    enum class WindowMode { Hidden, Normal, Minimized, Maximized };

    virtual ~Shell() = default;

    // Opens a document, a folder or a web address with the program the desktop associates
    // with it; a relative path is taken from the working folder (see documentUrl()).
    virtual bool openDocument(const QString& target, const QString& workingFolder = QString()) = 0;

    // Starts a command line (program and arguments, quoted where they hold spaces).
    virtual bool startCommandLine(const QString& commandLine, WindowMode mode) = 0;

    // Starts the program file at the given path with no arguments.
    virtual bool startProgram(const QString& programPath) = 0;
};

// What openDocument() opens: a text with a scheme ("https:", "mailto:", "file:") as that
// address, one starting "www." as an https address, anything else as a path, a relative one
// taken from the working folder (the current folder when none is given). An empty or blank
// text gives an empty address.
QUrl documentUrl(const QString& target, const QString& workingFolder);

// The service in use: the desktop one unless a test installed another.
Shell& shell();
// Installs a replacement (not owned); nullptr goes back to the desktop service.
void installShell(Shell* replacement);
