#pragma once

#include <QString>

// Starting documents and programs, so that tests can replace it with a recording one
// (see installShell()).
class Shell
{
public:
    enum class WindowMode { Hidden, Normal, Minimized, Maximized };

    virtual ~Shell() = default;

    // Opens a document, a folder or a web address with the program the desktop associates
    // with it. A text with a scheme ("https:", "mailto:") is an address, anything else a path.
    virtual bool openDocument(const QString& target) = 0;

    // Starts a command line (program and arguments, quoted where they hold spaces).
    virtual bool startCommandLine(const QString& commandLine, WindowMode mode) = 0;

    // Starts the program file at the given path with no arguments.
    virtual bool startProgram(const QString& programPath) = 0;
};

// The service in use: the desktop one unless a test installed another.
Shell& shell();
// Installs a replacement (not owned); nullptr goes back to the desktop service.
void installShell(Shell* replacement);
