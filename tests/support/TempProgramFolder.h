#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary program folder for one test: QUORVEL_PROGRAM_DIR points at it while the
// object lives, so the programs find their preferences file and data there.
class TempProgramFolder
{
public:
    // Creates the folder with an empty "ini" subfolder.
    TempProgramFolder();
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& relative) const { return m_dir.filePath(relative); }
    QString prefsFile() const { return filePath(QStringLiteral("ini/qvprefs.ini")); }

    // Writes a file (and its folders) with the given bytes.
    void writeFile(const QString& relative, const QByteArray& bytes) const;
    QByteArray readFile(const QString& relative) const;

    // Creates kb.db in the folder from db/schema.sql and then the given SQL, and records
    // its path as the database path of ini/qvprefs.ini. Returns the database's path; fails
    // the running test when a statement fails.
    QString createDatabase(const QString& extraSql = {}) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious = false;
};
