#pragma once

#include <QList>
#include <QString>
#include <utility>

class ProfileText;

// One Windows-style initialisation file, read and written with the rules of the Windows
// private-profile routines:
// - section and key names match without regard to letter case, and blanks around them
//   are ignored;
// - an absent file, section or key reads as the default;
// - a write replaces the key's line, or adds the key at the end of its section, or adds
//   the section at the end of the file, or creates the file when its folder exists; every
//   other line, comment and blank line stays as it was, byte for byte, in its order;
// - values are taken from the first "=" to the end of the line, blanks around them
//   removed, then one pair of the same quote character (" or ') around them; nothing else
//   is interpreted. A value that itself starts and ends with the same quote is written
//   inside one more pair of it, so every value comes back as it was written;
// - each line is read as UTF-8 when it is valid UTF-8, else as Windows-1252; lines are
//   written as UTF-8 (see ProfileText).
// A write replaces the file whole or not at all (see SafeFileWriter).
class PrivateProfile
{
public:
    using Entries = QList<std::pair<QString, QString>>; // key, value

    explicit PrivateProfile(const QString& filePath);

    // The value, cut to bufferSize - 1 characters as a fixed-size buffer of that size
    // holds it with its terminating NUL.
    QString read(const QString& section, const QString& key, const QString& defaultValue = {},
                 int bufferSize = 255) const;

    // False when the file could not be written (its folder is missing, the file is
    // read-only, the disk refused it) or the value holds a line break; the file is then
    // unchanged.
    bool write(const QString& section, const QString& key, const QString& value) const;
    // Several keys of one section in one write: all of them or none.
    bool write(const QString& section, const Entries& entries) const;

private:
    ProfileText load() const;

    QString m_filePath;
};
