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
//
// Content too large to hold in memory is written in parts: begin(), append() as often as
// needed, then commit(). Until commit() the old file stays as it was; abandon(), or the
// writer's end without commit(), removes the new content. Written in parts, the file needs
// a folder that takes the temporary file.
class SafeFileWriter
{
public:
    explicit SafeFileWriter(const QString& path);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // True when the file now holds exactly these bytes; false, with errorString() set,
    // when the old file (or no file, when there was none) is still in place.
    bool write(const QByteArray& bytes);

    // Each false, with errorString() and errorNumber() set, when the write cannot go on;
    // the old file (or no file) is then still in place.
    bool begin();
    bool append(const QByteArray& bytes);
    bool commit();
    void abandon();

    QString errorString() const { return m_error; }
    // The system's number (errno) for the last failure, 0 when there was none.
    int errorNumber() const { return m_errorNumber; }

private:
    enum class Start { Beside, InPlace, Failed };
    Start start();
    bool writeInPlace(const QByteArray& bytes);
    bool fail(int error);

    QString m_path;
    QString m_error;
    int m_errorNumber = 0;
    // The file and its folder as the system names them, for the write under way.
    QByteArray m_target;
    QByteArray m_folder;
    // The temporary file beside the target while a write is under way (-1: none).
    int m_fd = -1;
    QByteArray m_temporary;
    unsigned m_mode = 0;
    qint64 m_written = 0;
};
