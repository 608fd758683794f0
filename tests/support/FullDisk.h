#pragma once

#include <QString>
#include <sys/resource.h>

// A disk that refuses to grow files, for tests of writes on a full disk. Either a small
// tmpfs (64 KB) mounted on a folder and filled up (where this process may mount one), or
// a limit on file size for the whole process (setrlimit(RLIMIT_FSIZE), SIGXFSZ ignored).
// Files written before fill() stay readable.
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

    // From now on a write needing more than room bytes fails: the tmpfs keeps room bytes
    // free (in whole pages of 4 KB), or no file may grow beyond room bytes.
    void fill(qint64 room = 0);
    // Room again, as before fill().
    void release();

private:
    QString m_folder;
    Kind m_kind;
    bool m_available = false;
    bool m_full = false;
    rlimit m_limit = {};
    void (*m_previousHandler)(int) = nullptr;
};
