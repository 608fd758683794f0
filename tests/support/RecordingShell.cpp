#include "RecordingShell.h"

RecordingShell::RecordingShell()
{
    installShell(this);
}

RecordingShell::~RecordingShell()
{
    installShell(nullptr);
}

bool RecordingShell::record(Kind kind, const QString& target, WindowMode mode)
{
    m_launches.append({kind, target, mode});
    return m_succeeds;
}

bool RecordingShell::openDocument(const QString& target)
{
    return record(Kind::Document, target, WindowMode::Normal);
}

bool RecordingShell::startCommandLine(const QString& commandLine, WindowMode mode)
{
    return record(Kind::CommandLine, commandLine, mode);
}

bool RecordingShell::startProgram(const QString& programPath)
{
    return record(Kind::Program, programPath, WindowMode::Normal);
}
