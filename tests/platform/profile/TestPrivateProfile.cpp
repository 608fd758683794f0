#include "TempProgramFolder.h"
#include "profile/PathCase.h"
#include "profile/Prefs.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

class TestPrivateProfile : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempProgramFolder> m_folder;

    QByteArray prefsBytes() const { return m_folder->readFile(QStringLiteral("ini/qvprefs.ini")); }

private Q_SLOTS:
    void init() { m_folder = std::make_unique<TempProgramFolder>(); }
    void cleanup() { m_folder.reset(); }

    void readRules_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: no file
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        const QByteArray prefs = "; settings\r\n[General]\r\nPath=C:\\kb\\qv.mdb\r\n"
                                 "[UserPrefs]\r\n  TitleBar  =  Help Desk  \r\n";
        const auto row = [](const char* name, const QByteArray& file, const char* section,
                            const char* key, const QString& expected) {
            QTest::newRow(name) << file << QString(section) << QString(key) << expected;
        };
        row("blanks around keys and value", prefs, "UserPrefs", " TitleBar ", "Help Desk");
        row("absent file", QByteArray(), "General", "Path", "");
        row("absent section", prefs, "Font", "Font", "");
        row("key of another section", prefs, "General", "TitleBar", "");
        row("comment is no key", "[A]\n;Key=1\n", "A", ";Key", "");
        row("first of two sections of one name", "[A]\nK=1\n[a]\nK=2\n", "A", "K", "1");

        // Quotes: one matching pair around the value is taken off, nothing else.
        row("quoted, blanks inside and around", "[A]\nK =  \" a b \"  \n", "A", "K", " a b ");
        row("one pair only", "[A]\nK=\"\"x\"\"\n", "A", "K", "\"x\"");
        row("empty quotes", "[A]\nK=''\n", "A", "K", "");
        row("unmatched quotes", "[A]\nK=\"x'\n", "A", "K", "\"x'");
        row("lone quote", "[A]\nK=\"\n", "A", "K", "\"");
        row("inner quotes, equals, backslash", "[A]\nK=a=\"b\" c\\d\n", "A", "K", "a=\"b\" c\\d");
        // A 255-character buffer: 254 characters, counted after the quotes are off.
        row("long quoted value cut", "[A]\nK=\"" + QByteArray(300, 'x') + "\"\n", "A", "K",
            QString(254, QLatin1Char('x')));
        // Each line in its own encoding.
        const QByteArray mixed = "[A]\nT=\xe9 \x80\nP=/srv/caf\xc3\xa9/kb.db\n";
        row("utf-8 line beside a windows-1252 line", mixed, "A", "P", "/srv/café/kb.db");
        row("windows-1252 line beside a utf-8 line", mixed, "A", "T", "é €");
    }
    void readRules()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        if (!file.isNull())
            m_folder->writeFile(QStringLiteral("ini/qvprefs.ini"), file);
        QCOMPARE(ReadPref(section, key), expected);
    }

    // A value with a line break is refused and leaves the file as it was.
    void writeKeepsOtherLines_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        const auto row = [](const char* name, const QByteArray& before, const char* section,
                            const char* key, const QByteArray& after, const char* value = "new") {
            QTest::newRow(name) << before << QString(section) << QString(key) << QString(value)
                                << after;
        };
        const QByteArray base = "; kept comment\n[General]\nPath=old\n\n[UserPrefs]\n"
                                "TitleBar=T\nnot a key line\n";
        row("replace in place, other spelling", base, "general", "PATH",
            QByteArray(base).replace("Path=old", "PATH=new"));
        row("new key at section end before blank lines", base, "General", "Other",
            QByteArray(base).replace("old\n", "old\nOther=new\n"));
        row("new section at file end", base, "Font", "Font", base + "[Font]\nFont=new\n");
        row("byte order mark and each line's ending kept", "\xEF\xBB\xBF[A]\nK=1\r\n", "A", "K",
            "\xEF\xBB\xBF[A]\nK=new\r\n");
        row("other lines' bytes kept in their encodings", "[A]\r\nK=\xe9t\xe9\r\nP=caf\xc3\xa9\r\n",
            "A", "New", "[A]\r\nK=\xe9t\xe9\r\nP=caf\xc3\xa9\r\nNew=new\r\n");
        row("created file", QByteArray(), "General", "Path", "[General]\nPath=new\n");
        row("line break refused", base, "General", "Path", base, "a\nKey=b");
    }
    void writeKeepsOtherLines()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        if (!before.isEmpty())
            m_folder->writeFile(QStringLiteral("ini/qvprefs.ini"), before);
        QCOMPARE(WritePref(section, key, value), before != after);
        QCOMPARE(prefsBytes(), after);
    }

    void valuesRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("stored"); // the line in the file

        const auto row = [](const char* name, const QString& value, const QByteArray& stored) {
            QTest::newRow(name) << value << "Path=" + stored + "\n";
        };
        row("spaces, inner and unmatched quotes", QStringLiteral("C:\\kb \"quoted\" and 'single'"),
            "C:\\kb \"quoted\" and 'single'");
        row("itself in double quotes", QStringLiteral("\"/kb base/kb.db\""),
            "\"\"/kb base/kb.db\"\"");
        row("itself in single quotes", QStringLiteral("'x'"), "''x''");
        row("lone quote", QStringLiteral("\""), "\"");
        row("equals, semicolon, brackets", QStringLiteral("a=b;[c]"), "a=b;[c]");
        row("unicode", QStringLiteral("Ärger € 😀 Привет"), "Ärger € 😀 Привет");
        row("empty", QString(), "");
    }
    void valuesRoundTrip()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, stored);
        for (int write = 0; write < 2; ++write) { // adds the line, then replaces it
            QVERIFY(WritePref(QStringLiteral("General"), QStringLiteral("Path"), value));
            QCOMPARE(ReadPref(QStringLiteral("General"), QStringLiteral("Path")), value);
            QCOMPARE(prefsBytes(), "[General]\n" + stored);
        }
    }

    // Both spellings of the folder reach one file: the folder that holds it, "ini" first.
    void folderSpellings_data()
    {
        QTest::addColumn<QByteArray>("lower"); // "ini": null = no folder, "" = no file
        QTest::addColumn<QByteArray>("upper"); // "Ini" likewise
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("holder");

        const QByteArray a = "[General]\nPath=a\n";
        const QByteArray b = "[General]\nPath=b\n";
        QTest::newRow("ini only") << a << QByteArray() << "a" << "ini";
        QTest::newRow("Ini only") << QByteArray() << b << "b" << "Ini";
        QTest::newRow("both hold the file") << a << b << "a" << "ini";
        QTest::newRow("only Ini holds it") << QByteArray("") << b << "b" << "Ini";
        QTest::newRow("neither holds it") << QByteArray("") << QByteArray("") << "" << "ini";
    }
    void folderSpellings()
    {
        QFETCH(QByteArray, lower);
        QFETCH(QByteArray, upper);
        QFETCH(QString, expected);
        QFETCH(QString, holder);
        QDir(m_folder->path()).rmdir(QStringLiteral("ini"));
        for (const auto& [folder, file] : {std::pair(QStringLiteral("ini"), lower),
                                           std::pair(QStringLiteral("Ini"), upper)}) {
            if (!file.isNull())
                QDir(m_folder->path()).mkdir(folder);
            if (!file.isEmpty())
                m_folder->writeFile(folder + QStringLiteral("/qvprefs.ini"), file);
        }
        const QString path = QStringLiteral("General");
        for (const QString& spelling : {QStringLiteral("ini"), QStringLiteral("Ini")})
            QCOMPARE(ReadPref(path, QStringLiteral("Path"), prefsFilePath(spelling)), expected);

        QVERIFY(WritePref(path, QStringLiteral("Path"), QStringLiteral("new"),
                          prefsFilePath(QStringLiteral("Ini"))));
        QVERIFY(m_folder->readFile(holder + QStringLiteral("/qvprefs.ini")).contains("Path=new"));
        QCOMPARE(resolvePathCase(m_folder->path(), QStringLiteral("INI/QVPREFS.INI")),
                 m_folder->filePath(holder + QStringLiteral("/qvprefs.ini")));
    }

    // Two installations whose folders differ only in letter case each read their own file.
    void programFolderIsTakenAsItStands()
    {
        for (const char* name : {"app", "App"})
            m_folder->writeFile(QLatin1String(name) + QStringLiteral("/ini/qvprefs.ini"),
                                QByteArray("[General]\nPath=") + name + "\n");
        qputenv("QUORVEL_PROGRAM_DIR", QFile::encodeName(m_folder->filePath(QStringLiteral("App"))));
        QCOMPARE(ReadPref(QStringLiteral("General"), QStringLiteral("Path")), QStringLiteral("App"));
    }
};

QTEST_GUILESS_MAIN(TestPrivateProfile)
#include "TestPrivateProfile.moc"
