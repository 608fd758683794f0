#include "DbTest.h"
#include "RunningQuorvel.h"
#include "profile/Prefs.h"
#include "startup/DailyBackup.h"
#include "startup/Session.h"

#include <QDate>
#include <QDir>
#include <QTest>

// Backups of the open knowledge base: File > Back Up Database... and the daily copy.
class TestBackup : public QObject
{
    Q_OBJECT

private:
    static bool isKnowledgeBase(const QString& path)
    {
        return DbTest::query(path, QStringLiteral("PRAGMA integrity_check; SELECT count(*) FROM "
                                                  "QV;")) == QStringLiteral("ok\n3");
    }

private Q_SLOTS:
    void menuCommand_data()
    {
        QTest::addColumn<QString>("target"); // "" cancels, "=" names the database itself
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::newRow("copy") << QStringLiteral("copy.db")
                              << QStringLiteral("The database was backed up to %1.")
                              << int(Dialogs::Icon::Information);
        QTest::newRow("cancelled") << QString() << QString() << 0;
        QTest::newRow("onto itself")
            << QStringLiteral("=")
            << QStringLiteral("The database could not be backed up to %1.\n\nA database cannot "
                              "be backed up onto itself.")
            << int(Dialogs::Icon::Critical);
    }
    void menuCommand()
    {
        QFETCH(QString, target);
        QFETCH(QString, message);
        QFETCH(int, icon);
        RunningQuorvel quorvel(3);
        QVERIFY(quorvel.start());
        const QString file = target == QLatin1String("=") ? quorvel.database()
                             : target.isEmpty()           ? QString()
                                                          : quorvel.folder().filePath(target);
        quorvel.dialogs().nextFileName(file);
        quorvel.trigger("mnuBackup");
        QCOMPARE(quorvel.dialogs().fileRequests(), 1);
        if (message.isEmpty()) {
            QVERIFY(quorvel.dialogs().messages().isEmpty());
            return;
        }
        const Dialogs::Message shown = quorvel.dialogs().lastMessage();
        QCOMPARE(shown.text, message.arg(file));
        QCOMPARE(shown.title, QStringLiteral("Quorvel"));
        QCOMPARE(int(shown.icon), icon);
        QVERIFY(isKnowledgeBase(file));
    }

    // The daily copy at start-up: today's made, the oldest of the program's copies removed
    // down to seven, other files left alone.
    void dailyCopyKeepsTheNewestSeven()
    {
        RunningQuorvel quorvel(3);
        const QString folder = quorvel.folder().filePath(QStringLiteral("backups"));
        QStringList before = {QStringLiteral("notes.txt"), QStringLiteral("quorvel-2020-01-01.db")};
        for (int day = 1; day <= 8; ++day)
            before << QStringLiteral("quorvel-backup-2020-01-0%1.db").arg(day);
        for (const QString& name : before)
            quorvel.folder().writeFile(QStringLiteral("backups/") + name, "old");
        WritePref(QStringLiteral("UserPrefs"), QStringLiteral("BackupFolder"), folder);
        QVERIFY(quorvel.start());
        QCoreApplication::processEvents();

        const QString today = QStringLiteral("quorvel-backup-%1.db")
                                  .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
        QVERIFY(isKnowledgeBase(QDir(folder).filePath(today)));
        QStringList expected = before.mid(0, 2) + before.mid(4) << today;
        expected.sort();
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), expected);
        QVERIFY(quorvel.dialogs().messages().isEmpty());

        // A copy already made that day is kept as it is.
        QString error;
        quorvel.folder().writeFile(QStringLiteral("backups/") + today, "made");
        QVERIFY(DailyBackup::backUp(quorvel.program().session->db(), folder, QDate::currentDate(),
                                    &error));
        QCOMPARE(quorvel.folder().readFile(QStringLiteral("backups/") + today), QByteArray("made"));
    }

    void dailyCopyFailureIsReported()
    {
        RunningQuorvel quorvel(3);
        quorvel.folder().writeFile(QStringLiteral("plain"), "");
        const QString folder = quorvel.folder().filePath(QStringLiteral("plain/backups"));
        WritePref(QStringLiteral("UserPrefs"), QStringLiteral("BackupFolder"), folder);
        QVERIFY(quorvel.start());
        QCoreApplication::processEvents();
        QCOMPARE(quorvel.dialogs().lastMessage().text,
                 QStringLiteral("The daily backup of the database could not be written to the "
                                "folder %1.\n\nThe folder cannot be made.")
                     .arg(folder));
        QCOMPARE(int(quorvel.dialogs().lastMessage().icon), int(Dialogs::Icon::Warning));
    }
};

QTEST_MAIN(TestBackup)
#include "TestBackup.moc"
