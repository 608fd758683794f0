#include "BackupCommand.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "profile/Prefs.h"
#include "ui/Dialogs.h"

#include <QDate>
#include <QDir>

namespace BackupCommand {

namespace {

// In the daily backups' folder when the preferences name one, else in the home folder.
QString suggestedFile()
{
    QString folder = ReadPref(QStringLiteral("UserPrefs"), QStringLiteral("BackupFolder"));
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(
        QStringLiteral("quorvel-%1.db")
            .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
}

void tell(const QString& text, Dialogs::Icon icon, QWidget* parent)
{
    dialogs().message({text, QStringLiteral("Quorvel"), Dialogs::Buttons::Ok, icon, std::nullopt},
                      parent);
}

} // namespace

void run(const Connection& db, QWidget* parent)
{
    const QString file =
        dialogs().saveFileName({QStringLiteral("Back Up Database"), suggestedFile(),
                                QStringLiteral("Databases (*.db);;All files (*)")},
                               parent);
    if (file.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(file);
    try {
        db.backup(file);
    } catch (const DbError& error) {
        tell(QStringLiteral("The database could not be backed up to %1.\n\n%2")
                 .arg(shown, error.description()),
             Dialogs::Icon::Critical, parent);
        return;
    }
    tell(QStringLiteral("The database was backed up to %1.").arg(shown), Dialogs::Icon::Information,
         parent);
}

} // namespace BackupCommand
