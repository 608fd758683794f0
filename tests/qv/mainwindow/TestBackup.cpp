#include "WindowTest.h"

#include <QDate>

// Backups of the open knowledge base: File > Back Up Database... and the daily copy.
class TestBackup : public QObject
{
    Q_OBJECT

private:
    static bool isKnowledgeBase(const QString& path)
    {
        return SqlScript::rows(path, "PRAGMA integrity_check; SELECT count(*) FROM QV;") ==
               QStringList({"ok", "3"});
    }

private Q_SLOTS:
    void menuCommand_data()
    {
        QTest::addColumn<QString>("target"); // "" cancels
        QTest::addColumn<QString>("message");
        QTest::addColumn<Dialogs::Icon>("icon");
        QTest::newRow("copy") << "copy.db"
                              << "The database was backed up to %1." << Dialogs::Icon::Information;
        QTest::newRow("cancelled") << ""
                                   << "" << Dialogs::Icon::None;
        QTest::newRow("refused") << "kb.db"
                                 << "The database could not be backed up to %1.\n\nA database "
                                    "cannot be backed up onto itself."
                                 << Dialogs::Icon::Critical;
    }
    void menuCommand()
    {
        QFETCH(QString, target);
        QFETCH(QString, message);
        QFETCH(Dialogs::Icon, icon);
        RunningQuorvel quorvel(3);
        QVERIFY(quorvel.start());
        const QString file = target.isEmpty() ? target : quorvel.folder().filePath(target);
        quorvel.dialogs().nextFileName(file);
        quorvel.trigger("mnuBackup");
        QCOMPARE(quorvel.dialogs().fileRequests(), 1);
        QCOMPARE(quorvel.dialogs().messages().size(), message.isEmpty() ? 0 : 1);
        if (message.isEmpty())
            return;
        QCOMPARE(quorvel.dialogs().lastMessage().text, message.arg(file));
        QCOMPARE(quorvel.dialogs().lastMessage().title, QStringLiteral("Quorvel"));
        QCOMPARE(quorvel.dialogs().lastMessage().icon, icon);
        QVERIFY(isKnowledgeBase(file));
    }

    // At start-up: today's copy made, the oldest of the program's copies removed down to
    // seven, other files left alone; a folder that cannot be made is reported.
    void dailyCopy()
    {
        RunningQuorvel quorvel(3);
        QStringList files = {"notes.txt", "quorvel-2020-01-01.db"};
        for (int day = 1; day <= 8; ++day)
            files << QStringLiteral("quorvel-backup-2020-01-0%1.db").arg(day);
        for (const QString& name : files)
            quorvel.folder().writeFile("backups/" + name, "old");
        const QString folder = quorvel.folder().filePath("backups");
        WritePref("UserPrefs", "BackupFolder", folder);
        QVERIFY(quorvel.start());
        QCoreApplication::processEvents();
        const QString today =
            "quorvel-backup-" + QDate::currentDate().toString("yyyy-MM-dd") + ".db";
        QVERIFY(isKnowledgeBase(QDir(folder).filePath(today)));
        files = files.mid(0, 2) + files.mid(4) << today;
        files.sort();
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), files);
        QVERIFY(quorvel.dialogs().messages().isEmpty());

        const QString blocked = quorvel.folder().filePath("notes.txt/backups");
        quorvel.folder().writeFile("notes.txt", "");
        WritePref("UserPrefs", "BackupFolder", blocked);
        QVERIFY(quorvel.start());
        QCoreApplication::processEvents();
        QCOMPARE(quorvel.dialogs().lastMessage().text,
                 "The daily backup of the database could not be written to the folder " + blocked +
                     ".\n\nThe folder cannot be made.");
        QCOMPARE(quorvel.dialogs().lastMessage().icon, Dialogs::Icon::Warning);
    }
};

QTEST_MAIN(TestBackup)
#include "TestBackup.moc"
