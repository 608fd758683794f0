#include "RecordingShell.h"

RecordingShell::RecordingShell()
{
    installShell(this);
}

RecordingShell::~RecordingShell()
{
    installShell(nullptr);
}

bool RecordingShell::record(const Launch& launch)
{
    m_launches.append(launch);
    return m_succeeds;
}

bool RecordingShell::openDocument(const QString& target, const QString& workingFolder)
{
    return record({Kind::Document, target, WindowMode::Normal, workingFolder});
}

bool RecordingShell::startCommandLine(const QString& commandLine, WindowMode mode)
{
    return record({Kind::CommandLine, commandLine, mode, {}});
}

bool RecordingShell::startProgram(const QString& programPath)
{
    return record({Kind::Program, programPath, WindowMode::Normal, {}});
}
