#include "TempProgramFolder.h"
#include "profile/PathCase.h"
#include "profile/Prefs.h"
#include "profile/PrivateProfile.h"

#include <QFile>
#include <QTest>

class TestPrivateProfile : public QObject
{
    Q_OBJECT

private:
    TempProgramFolder* m_folder = nullptr;

private Q_SLOTS:
    void init() { m_folder = new TempProgramFolder; }
    void cleanup()
    {
        delete m_folder;
        m_folder = nullptr;
    }

    void readRules_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        const QByteArray prefs = "; settings\r\n[General]\r\nPath=C:\\kb\\qv.mdb\r\n"
                                 "[UserPrefs]\r\nShow Toolbar=1\r\n  TitleBar  =  Help Desk  \r\n";
        QTest::newRow("exact") << prefs << "General" << "Path" << "C:\\kb\\qv.mdb";
        QTest::newRow("section case") << prefs << "GENERAL" << "Path" << "C:\\kb\\qv.mdb";
        QTest::newRow("key case") << prefs << "General" << "pATH" << "C:\\kb\\qv.mdb";
        QTest::newRow("blanks around asked key") << prefs << "UserPrefs" << " Show Toolbar"
                                                 << "1";
        QTest::newRow("blanks around stored key and value")
            << prefs << "UserPrefs" << "TitleBar" << "Help Desk";
        QTest::newRow("absent key") << prefs << "General" << "Nothing" << "";
        QTest::newRow("absent section") << prefs << "Font" << "Font" << "";
        QTest::newRow("key of another section") << prefs << "General" << "TitleBar" << "";
        QTest::newRow("comment is no key")
            << QByteArray("[A]\n;Key=1\n") << "A" << ";Key" << "";
        QTest::newRow("value keeps equals and quotes")
            << QByteArray("[A]\nK=a=\"b\" c\\d\n") << "A" << "K" << "a=\"b\" c\\d";
        QTest::newRow("first of two sections of one name")
            << QByteArray("[A]\nK=1\n[a]\nK=2\n") << "A" << "K" << "1";
        QTest::newRow("utf-8") << QByteArray("[A]\nK=Grüße €\n") << "A" << "K" << "Grüße €";
        QTest::newRow("windows-1252")
            << QByteArray("[A]\nK=Gr\xfc\xdf" "e \x80\n") << "A" << "K" << "Grüße €";
    }
    void readRules()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        m_folder->writeFile(QStringLiteral("ini/qvprefs.ini"), file);
        QCOMPARE(ReadPref(section, key), expected);
    }

    void absentFileReadsEmpty()
    {
        QCOMPARE(ReadPref(QStringLiteral("General"), QStringLiteral("Path")), QString());
    }

    void longValueIsCutTo254()
    {
        const QString stored(300, QLatin1Char('x'));
        QVERIFY(WritePref(QStringLiteral("UserPrefs"), QStringLiteral("TitleBar"), stored));
        QCOMPARE(ReadPref(QStringLiteral("UserPrefs"), QStringLiteral("TitleBar")),
                 stored.left(254));
        // The file itself keeps the whole value.
        QVERIFY(m_folder->readFile(QStringLiteral("ini/qvprefs.ini")).contains(stored.toUtf8()));
    }

    void writeKeepsOtherLines_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("after");

        const QByteArray base = "; kept comment\n[General]\nPath=old\n\n[UserPrefs]\n"
                                "TitleBar=T\nnot a key line\n";
        QTest::newRow("replace in place, other spelling")
            << base << "general" << "PATH"
            << QByteArray("; kept comment\n[General]\nPATH=new\n\n[UserPrefs]\nTitleBar=T\n"
                          "not a key line\n");
        QTest::newRow("new key at section end before blank lines")
            << base << "General" << "Other"
            << QByteArray("; kept comment\n[General]\nPath=old\nOther=new\n\n[UserPrefs]\n"
                          "TitleBar=T\nnot a key line\n");
        QTest::newRow("new section at file end")
            << base << "Font" << "Font"
            << QByteArray("; kept comment\n[General]\nPath=old\n\n[UserPrefs]\nTitleBar=T\n"
                          "not a key line\n[Font]\nFont=new\n");
        QTest::newRow("crlf kept")
            << QByteArray("[General]\r\nPath=old\r\n") << "General" << "Path"
            << QByteArray("[General]\r\nPath=new\r\n");
        QTest::newRow("windows-1252 rewritten as utf-8")
            << QByteArray("[A]\r\nK=\xe9t\xe9\r\n") << "A" << "New"
            << QByteArray("[A]\r\nK=\xc3\xa9t\xc3\xa9\r\nNew=new\r\n");
        QTest::newRow("created file") << QByteArray() << "General" << "Path"
                                      << QByteArray("[General]\nPath=new\n");
    }
    void writeKeepsOtherLines()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QByteArray, after);
        if (!before.isEmpty())
            m_folder->writeFile(QStringLiteral("ini/qvprefs.ini"), before);
        QVERIFY(WritePref(section, key, QStringLiteral("new")));
        QCOMPARE(m_folder->readFile(QStringLiteral("ini/qvprefs.ini")), after);
    }

    void valuesRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("spaces") << QStringLiteral("C:\\Program Files\\Help Desk\\kb data.mdb");
        QTest::newRow("quotes") << QStringLiteral("\"quoted\" and 'single'");
        QTest::newRow("equals and semicolon") << QStringLiteral("a=b;c=d");
        QTest::newRow("brackets") << QStringLiteral("[not a section]");
        QTest::newRow("unicode") << QStringLiteral("Ärger € 😀 Привет");
        QTest::newRow("empty") << QString();
    }
    void valuesRoundTrip()
    {
        QFETCH(QString, value);
        QVERIFY(WritePref(QStringLiteral("General"), QStringLiteral("Path"), value));
        QCOMPARE(ReadPref(QStringLiteral("General"), QStringLiteral("Path")), value);
    }

    void bothFolderSpellingsReachOneFile()
    {
        QVERIFY(WritePref(QStringLiteral("General"), QStringLiteral("Path"), QStringLiteral("a"),
                          prefsFilePath(QStringLiteral("Ini"))));
        QCOMPARE(ReadPref(QStringLiteral("General"), QStringLiteral("Path"),
                          prefsFilePath(QStringLiteral("ini"))),
                 QStringLiteral("a"));
        QVERIFY(!QFile::exists(m_folder->filePath(QStringLiteral("Ini"))));
        QCOMPARE(resolvePathCase(m_folder->filePath(QStringLiteral("INI/QVPREFS.INI"))),
                 m_folder->prefsFile());
    }

    void failedWritesLeaveFileAlone()
    {
        // Missing folder: nothing created.
        const QString elsewhere = m_folder->filePath(QStringLiteral("missing/qvprefs.ini"));
        QVERIFY(!WritePref(QStringLiteral("General"), QStringLiteral("Path"), QStringLiteral("x"),
                           elsewhere));
        QVERIFY(!QFile::exists(elsewhere));

        // Read-only file: refused and unchanged.
        const QByteArray before = "[General]\nPath=keep\n";
        m_folder->writeFile(QStringLiteral("ini/qvprefs.ini"), before);
        QFile::setPermissions(m_folder->prefsFile(), QFileDevice::ReadOwner);
        QVERIFY(!WritePref(QStringLiteral("General"), QStringLiteral("Path"), QStringLiteral("x")));
        QFile::setPermissions(m_folder->prefsFile(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(m_folder->readFile(QStringLiteral("ini/qvprefs.ini")), before);

        // A line break would make a second line out of the value.
        QVERIFY(!WritePref(QStringLiteral("General"), QStringLiteral("Path"),
                           QStringLiteral("a\nKey=b")));
        QCOMPARE(m_folder->readFile(QStringLiteral("ini/qvprefs.ini")), before);
    }
};

QTEST_GUILESS_MAIN(TestPrivateProfile)
#include "TestPrivateProfile.moc"
