#pragma once

#include <QByteArray>
#include <QString>

// Replaces the content of one file whole or not at all.
//
// The new content goes to a temporary file beside the old one; every byte is checked as
// written, the data is flushed to the disk (fsync) and only then does the temporary file
// take the old one's name. A full disk, a file-size limit or any other refusal leaves the
// old file as it was and is reported as a failure.
//
// Where the folder cannot take a temporary file but the file itself may be written (a
// shared program folder), the file is written in place: the space for the longer of old
// and new content is reserved before the first byte changes, so a full disk still leaves
// the old content whole; should a write fail after that, the old content is put back.
//
// A file or folder without any write permission bit is not written even by a user who
// could override that (root), as the user who set the bits meant. A symbolic link is
// followed: the file it names is replaced.
class SafeFileWriter
{
public:
    explicit SafeFileWriter(const QString& path);

    // True when the file now holds exactly these bytes; false, with errorString() set,
    // when the old file (or no file, when there was none) is still in place.
    bool write(const QByteArray& bytes);

    QString errorString() const { return m_error; }

private:
    bool writeBeside(int fd, const QByteArray& temporary, const QByteArray& bytes, unsigned mode);
    bool writeInPlace(const QByteArray& bytes);
    bool fail(int error);

    QString m_path;
    QString m_error;
    // The file and its folder as the system names them, for the write under way.
    QByteArray m_target;
    QByteArray m_folder;
};
