#pragma once

#include <QString>
#include <QStringList>

// One Windows-style initialisation file, read and written with the rules of the Windows
// private-profile routines:
// - section and key names match without regard to letter case, and blanks around them
//   are ignored;
// - an absent file, section or key reads as the default;
// - a write replaces the key's line, or adds the key at the end of its section, or adds
//   the section at the end of the file, or creates the file when its folder exists; every
//   other line, comment and blank line stays as it was, in its order;
// - values are taken from the first "=" to the end of the line, blanks around them
//   removed; no quotes or escapes are interpreted, so a value with spaces, backslashes,
//   quotes or "=" comes back as it was written;
// - a file that is valid UTF-8 is read as UTF-8, any other as Windows-1252; files are
//   written as UTF-8, keeping the line ending style the file already had.
// The folder and file names are resolved without regard to letter case.
class PrivateProfile
{
public:
    explicit PrivateProfile(const QString& filePath);

    // The value, cut to bufferSize - 1 characters as a fixed-size buffer of that size
    // holds it with its terminating NUL.
    QString read(const QString& section, const QString& key, const QString& defaultValue = {},
                 int bufferSize = 255) const;

    // False when the file could not be written (its folder is missing, the file is
    // read-only, the disk refused it) or the value holds a line break; the file is then
    // unchanged.
    bool write(const QString& section, const QString& key, const QString& value) const;

    // The path the file resolves to on this file system.
    QString resolvedPath() const;

private:
    QStringList loadLines(QString* lineEnding, bool* hadBom) const;

    QString m_filePath;
};
