#include "profile/PrivateProfile.h"
#include "shell/UserProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A user's own program folder made from an installed one that the user cannot write.
class TestUserProgramFolder : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString& relative) const { return m_dir->filePath(relative); }

    void write(const QString& relative, const QByteArray& bytes, bool readOnly = true) const
    {
        QVERIFY(QDir().mkpath(QFileInfo(path(relative)).absolutePath()));
        QFile file(path(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        if (readOnly)
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }

    static QString databasePath(const QString& folder)
    {
        return PrivateProfile(folder + QStringLiteral("/ini/qvprefs.ini"))
            .read(QStringLiteral("General"), QStringLiteral("Path"));
    }

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void madeFromTheInstalledFolder_data()
    {
        QTest::addColumn<QString>("database");
        QTest::addColumn<bool>("copied");
        QTest::newRow("the installed sample") << QStringLiteral("installed/quorvel.db") << true;
        QTest::newRow("a shared database") << QStringLiteral("shared/kb.db") << false;
    }
    void madeFromTheInstalledFolder()
    {
        QFETCH(QString, database);
        QFETCH(bool, copied);
        const QString installed = path(QStringLiteral("installed"));
        const QString user = path(QStringLiteral("data/quorvel"));
        write(QStringLiteral("installed/ini/qvprefs.ini"),
              "[UserPrefs]\nTitleBar=KB\n[General]\nPath=" + path(database).toUtf8() + '\n');
        write(QStringLiteral("installed/HTML/old.html"), "<p>");
        write(QStringLiteral("installed/tavrel.ini"), "[Login]\n");
        write(QStringLiteral("installed/wayset"), "program");
        write(database, "SQLite format 3");
        QVERIFY(QDir().mkpath(path(QStringLiteral("data"))));

        QCOMPARE(makeUserProgramFolder(installed, user), user);
        QStringList made;
        for (const char* name : {"ini/qvprefs.ini", "HTML/old.html", "tavrel.ini", "quorvel.db"})
            if (QFileInfo(user + '/' + QLatin1String(name)).permissions() & QFile::WriteOwner)
                made << name;
        QCOMPARE(made.size(), copied ? 4 : 3);
        QVERIFY(!QFile::exists(user + QStringLiteral("/wayset")));
        QCOMPARE(databasePath(user),
                 copied ? user + QStringLiteral("/quorvel.db") : path(database));
        QCOMPARE(
            QDir(path(QStringLiteral("data"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList({QStringLiteral("quorvel")}));

        // Made once: later starts keep what the user changed.
        QVERIFY(PrivateProfile(user + QStringLiteral("/ini/qvprefs.ini"))
                    .write(QStringLiteral("General"), QStringLiteral("Path"), QStringLiteral("x")));
        QCOMPARE(makeUserProgramFolder(installed, user), user);
        QCOMPARE(databasePath(user), QStringLiteral("x"));
    }

    void folderThatCannotBeMadeIsNone()
    {
        write(QStringLiteral("plain-file"), "", false);
        QCOMPARE(makeUserProgramFolder(path(QStringLiteral("installed")),
                                       path(QStringLiteral("plain-file/quorvel"))),
                 QString());
    }
};

QTEST_GUILESS_MAIN(TestUserProgramFolder)
#include "TestUserProgramFolder.moc"
