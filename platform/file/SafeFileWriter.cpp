#include "SafeFileWriter.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes every byte from the offset on, taking up what the system took only in part;
// false with errno set when the system refused.
bool writeAll(int fd, const QByteArray& bytes, off_t offset = 0)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
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

SafeFileWriter::~SafeFileWriter()
{
    abandon();
}

bool SafeFileWriter::write(const QByteArray& bytes)
{
    switch (start()) {
    case Start::Beside:
        return append(bytes) && commit();
    case Start::InPlace:
        return writeInPlace(bytes);
    case Start::Failed:
        break;
    }
    return false;
}

bool SafeFileWriter::begin()
{
    switch (start()) {
    case Start::Beside:
        return true;
    case Start::InPlace:
        return fail(EACCES);
    case Start::Failed:
        break;
    }
    return false;
}

SafeFileWriter::Start SafeFileWriter::start()
{
    abandon();
    m_error.clear();
    m_errorNumber = 0;
    const QFileInfo given(m_path);
    const QFileInfo file(given.isSymLink() ? given.symLinkTarget() : given.absoluteFilePath());
    m_target = QFile::encodeName(file.absoluteFilePath());
    m_folder = QFile::encodeName(file.absolutePath());

    struct stat status = {};
    const bool exists = ::stat(m_target.constData(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode)) {
        fail(S_ISDIR(status.st_mode) ? EISDIR : EINVAL);
        return Start::Failed;
    }
    if (exists) {
        if (const int refusal = writeRefusal(m_target, status)) {
            fail(refusal);
            return Start::Failed;
        }
    }
    struct stat folderStatus = {};
    if (::stat(m_folder.constData(), &folderStatus) != 0) {
        fail(errno);
        return Start::Failed;
    }

    int refusal = writeRefusal(m_folder, folderStatus);
    if (refusal == 0) {
        QByteArray temporary = m_folder + "/." + QFile::encodeName(file.fileName()) + ".XXXXXX";
        const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (fd >= 0) {
            m_fd = fd;
            m_temporary = temporary;
            m_mode = exists ? status.st_mode & 07777 : newFileMode();
            m_written = 0;
            return Start::Beside;
        }
        refusal = errno;
        if (refusal != EACCES && refusal != EPERM) {
            fail(refusal);
            return Start::Failed;
        }
    }
    if (!exists) {
        fail(refusal);
        return Start::Failed;
    }
    return Start::InPlace;
}

bool SafeFileWriter::append(const QByteArray& bytes)
{
    if (m_fd < 0)
        return fail(EBADF);
    if (!writeAll(m_fd, bytes, off_t(m_written))) {
        const int error = errno;
        abandon();
        return fail(error);
    }
    m_written += bytes.size();
    return true;
}

bool SafeFileWriter::commit()
{
    if (m_fd < 0)
        return fail(EBADF);
    if (::fchmod(m_fd, mode_t(m_mode)) != 0 || ::fsync(m_fd) != 0) {
        const int error = errno;
        abandon();
        return fail(error);
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 || ::rename(m_temporary.constData(), m_target.constData()) != 0) {
        const int error = errno;
        ::unlink(m_temporary.constData());
        return fail(error);
    }
    syncFolder(m_folder);
    return true;
}

void SafeFileWriter::abandon()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
    ::unlink(m_temporary.constData());
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
    m_errorNumber = error;
    m_error = qt_error_string(error);
    return false;
}
