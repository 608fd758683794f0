#include "SafeFileWriter.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes every byte at the offset, taking up what the system took only in part; false
// with errno set when the system refused.
bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    off_t offset = 0;
    while (left > 0) {
        const ssize_t done = ::pwrite(fd, data, size_t(left), offset);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            if (done == 0)
                errno = EIO;
            return false;
        }
        data += done;
        left -= done;
        offset += done;
    }
    return true;
}

bool readAll(int fd, qsizetype size, QByteArray* bytes)
{
    bytes->resize(size);
    qsizetype got = 0;
    while (got < size) {
        const ssize_t done = ::pread(fd, bytes->data() + got, size_t(size - got), got);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            if (done == 0)
                errno = EIO; // the file shrank under us
            return false;
        }
        got += done;
    }
    return true;
}

// 0 when the permission bits and the system both let this user write the path, else the
// reason.
int writeRefusal(const QByteArray& path, const struct stat& status)
{
    if ((status.st_mode & 0222) == 0)
        return EACCES;
    return ::access(path.constData(), W_OK) == 0 ? 0 : errno;
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes the new name itself survive a power cut. The file is already in place; a folder
// that cannot be synced changes nothing about that.
void syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

SafeFileWriter::SafeFileWriter(const QString& path) : m_path(path) {}

bool SafeFileWriter::write(const QByteArray& bytes)
{
    m_error.clear();
    const QFileInfo given(m_path);
    const QFileInfo file(given.isSymLink() ? given.symLinkTarget() : given.absoluteFilePath());
    m_target = QFile::encodeName(file.absoluteFilePath());
    m_folder = QFile::encodeName(file.absolutePath());

    struct stat status = {};
    const bool exists = ::stat(m_target.constData(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode))
        return fail(S_ISDIR(status.st_mode) ? EISDIR : EINVAL);
    if (exists) {
        if (const int refusal = writeRefusal(m_target, status))
            return fail(refusal);
    }
    struct stat folderStatus = {};
    if (::stat(m_folder.constData(), &folderStatus) != 0)
        return fail(errno);

    int refusal = writeRefusal(m_folder, folderStatus);
    if (refusal == 0) {
        QByteArray temporary = m_folder + "/." + QFile::encodeName(file.fileName()) + ".XXXXXX";
        const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (fd >= 0)
            return writeBeside(fd, temporary, bytes,
                               exists ? status.st_mode & 07777 : newFileMode());
        refusal = errno;
        if (refusal != EACCES && refusal != EPERM)
            return fail(refusal);
    }
    if (!exists)
        return fail(refusal);
    return writeInPlace(bytes);
}

bool SafeFileWriter::writeBeside(int fd, const QByteArray& temporary, const QByteArray& bytes,
                                 unsigned mode)
{
    if (!writeAll(fd, bytes) || ::fchmod(fd, mode_t(mode)) != 0 || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.constData());
        return fail(error);
    }
    if (::close(fd) != 0 || ::rename(temporary.constData(), m_target.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return fail(error);
    }
    syncFolder(m_folder);
    return true;
}

bool SafeFileWriter::writeInPlace(const QByteArray& bytes)
{
    const int fd = ::open(m_target.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    struct stat status = {};
    QByteArray old;
    if (::fstat(fd, &status) != 0 || !readAll(fd, qsizetype(status.st_size), &old)) {
        const int error = errno;
        ::close(fd);
        return fail(error);
    }
    if (bytes.size() > old.size()) {
        if (const int error = ::posix_fallocate(fd, 0, off_t(bytes.size()))) {
            ::ftruncate(fd, off_t(old.size()));
            ::close(fd);
            return fail(error);
        }
    }
    if (!writeAll(fd, bytes) || ::ftruncate(fd, off_t(bytes.size())) != 0 || ::fsync(fd) != 0) {
        const int error = errno;
        // The space was there, so this is an input/output failure: put the old bytes back
        // as far as the disk lets us.
        writeAll(fd, old);
        ::ftruncate(fd, off_t(old.size()));
        ::fsync(fd);
        ::close(fd);
        return fail(error);
    }
    if (::close(fd) != 0)
        return fail(errno);
    return true;
}

bool SafeFileWriter::fail(int error)
{
    m_error = qt_error_string(error);
    return false;
}
