#pragma once

#include "Shell.h"

// The real shell: QDesktopServices for documents, QProcess for programs. The window
// mode is a hint that a desktop program decides for itself on this platform.
class DesktopShell : public Shell
{
public:
    bool openDocument(const QString& target, const QString& workingFolder) override;
    bool startCommandLine(const QString& commandLine, WindowMode mode) override;
    bool startProgram(const QString& programPath) override;
};
