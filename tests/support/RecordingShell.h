#pragma once

#include "shell/Shell.h"

#include <QList>

// A Shell service for tests: remembers what it was asked to start and starts nothing.
// Installs itself on construction and uninstalls on destruction.
class RecordingShell : public Shell
{
public:
    enum class Kind { Document, CommandLine, Program };
    struct Launch
    {
        Kind kind;
        QString target;
        WindowMode mode = WindowMode::Normal;
        QString workingFolder;
    };

    RecordingShell() { installShell(this); }
    ~RecordingShell() override { installShell(nullptr); }
    RecordingShell(const RecordingShell&) = delete;
    RecordingShell& operator=(const RecordingShell&) = delete;

    // What the next calls return (true unless told otherwise).
    void setSucceeds(bool succeeds) { m_succeeds = succeeds; }
    const QList<Launch>& launches() const { return m_launches; }

    bool openDocument(const QString& target, const QString& workingFolder) override
    {
        return record({Kind::Document, target, WindowMode::Normal, workingFolder});
    }
    bool startCommandLine(const QString& commandLine, WindowMode mode) override
    {
        return record({Kind::CommandLine, commandLine, mode, {}});
    }
    bool startProgram(const QString& programPath) override
    {
        return record({Kind::Program, programPath, WindowMode::Normal, {}});
    }

private:
    bool record(const Launch& launch);

    QList<Launch> m_launches;
    bool m_succeeds = true;
};
