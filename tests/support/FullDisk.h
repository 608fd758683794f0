#pragma once

#include <QString>
#include <sys/resource.h>

// A disk that refuses to grow files, for tests of writes on a full disk. Either a small
// tmpfs mounted on a folder and filled up (where this process may mount one), or a limit
// on file size for the whole process (setrlimit(RLIMIT_FSIZE), SIGXFSZ ignored). Either
// way, once fill() ran, no file can be written beyond 4 KB; smaller files written before
// stay readable.
class FullDisk
{
public:
    enum class Kind
    {
        Tmpfs,
        FileSizeLimit
    };

    // For Tmpfs, mounts a fresh file system on the folder (hiding what it held) when the
    // process may; see available().
    FullDisk(const QString& folder, Kind kind);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool available() const { return m_available; }
    static constexpr qint64 kRoom = 4096;

    void fill();
    void release();

private:
    QString m_folder;
    Kind m_kind;
    bool m_available = false;
    bool m_full = false;
    rlimit m_limit = {};
    void (*m_previousHandler)(int) = nullptr;
};
