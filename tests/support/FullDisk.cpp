#include "FullDisk.h"

#include <QFile>

#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {
const char* const kFiller = "/filler";
}

FullDisk::FullDisk(const QString& folder, Kind kind) : m_folder(folder), m_kind(kind)
{
    if (kind == Kind::FileSizeLimit) {
        m_available = true;
        return;
    }
    m_available = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs",
                          MS_NOSUID | MS_NODEV, "size=64k,mode=0755") == 0;
}

FullDisk::~FullDisk()
{
    release();
    if (m_available && m_kind == Kind::Tmpfs)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

void FullDisk::fill(qint64 room)
{
    if (!m_available || m_full)
        return;
    m_full = true;
    if (m_kind == Kind::FileSizeLimit) {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_limit);
        rlimit limit = m_limit;
        limit.rlim_cur = rlim_t(room);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return;
    }
    const int fd = ::open(QFile::encodeName(m_folder + QLatin1String(kFiller)).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const QByteArray block(4096, 'f');
    off_t size = 0;
    for (ssize_t done; (done = ::write(fd, block.constData(), size_t(block.size()))) > 0;)
        size += done;
    ::ftruncate(fd, qMax(off_t(0), size - off_t(room)));
    ::close(fd);
}

void FullDisk::release()
{
    if (!m_full)
        return;
    m_full = false;
    if (m_kind == Kind::FileSizeLimit) {
        ::setrlimit(RLIMIT_FSIZE, &m_limit);
        std::signal(SIGXFSZ, m_previousHandler);
        return;
    }
    ::unlink(QFile::encodeName(m_folder + QLatin1String(kFiller)).constData());
}
