#include "FullDisk.h"
#include "TempProgramFolder.h"
#include "editor/EditorFont.h"
#include "file/SafeFileWriter.h"
#include "profile/Prefs.h"
#include "richtext/dTxtHelper.h"
#include "security/LoginSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTextEdit>

#include <sys/stat.h>

namespace {

const QByteArray kOld = "[General]\nPath=/data/kb.db\n[UserPrefs]\nTitleBar=Help Desk\n";
// More than one page of the disk.
const QString kLong(5000, QLatin1Char('x'));

mode_t modeOf(const QString& path)
{
    struct stat status = {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & 07777;
}

} // namespace

class TestSafeFileWriter : public QObject
{
    Q_OBJECT

private:
    TempProgramFolder* m_folder = nullptr;

    QStringList folderEntries() const
    {
        return QDir(m_folder->path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

private Q_SLOTS:
    void init() { m_folder = new TempProgramFolder; }
    void cleanup()
    {
        QFile::setPermissions(m_folder->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner);
        delete m_folder;
        m_folder = nullptr;
    }

    void replacesTheFileWhole_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("viaLink");
        QTest::addColumn<bool>("folderReadOnly");

        QTest::newRow("mode kept") << kOld << 0640 << false << false;
        QTest::newRow("through a symbolic link") << kOld << 0644 << true << false;
        QTest::newRow("in place where the folder is read-only, longer")
            << kOld << 0664 << false << true;
        QTest::newRow("in place where the folder is read-only, shorter")
            << (kOld + kLong.toUtf8()) << 0664 << false << true;
    }
    void replacesTheFileWhole()
    {
        QFETCH(QByteArray, old);
        QFETCH(int, mode);
        QFETCH(bool, viaLink);
        QFETCH(bool, folderReadOnly);
        const QString target = m_folder->filePath(QStringLiteral("notes.txt"));
        const QString written = viaLink ? m_folder->filePath(QStringLiteral("link.txt")) : target;
        m_folder->writeFile(QStringLiteral("notes.txt"), old);
        ::chmod(QFile::encodeName(target).constData(), mode_t(mode));
        QVERIFY(!viaLink || QFile::link(target, written));
        const QStringList before = folderEntries();
        if (folderReadOnly)
            QFile::setPermissions(m_folder->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);

        const QByteArray bytes = "[General]\nPath=/new.db\n" + kLong.left(100).toUtf8();
        SafeFileWriter writer(written);
        QVERIFY2(writer.write(bytes), qPrintable(writer.errorString()));
        QCOMPARE(m_folder->readFile(QStringLiteral("notes.txt")), bytes);
        QCOMPARE(modeOf(target), mode_t(mode));
        QVERIFY(!viaLink || QFileInfo(written).isSymLink());
        QCOMPARE(folderEntries(), before);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("folderReadOnly");
        QTest::newRow("read-only file") << QStringLiteral("readonly.txt") << false;
        QTest::newRow("a folder") << QStringLiteral("ini") << false;
        QTest::newRow("missing folder") << QStringLiteral("missing/notes.txt") << false;
        QTest::newRow("new file in a read-only folder") << QStringLiteral("notes.txt") << true;
    }
    void refusals()
    {
        QFETCH(QString, name);
        QFETCH(bool, folderReadOnly);
        m_folder->writeFile(QStringLiteral("readonly.txt"), kOld);
        QFile::setPermissions(m_folder->filePath(QStringLiteral("readonly.txt")),
                              QFileDevice::ReadOwner);
        const QStringList before = folderEntries();
        if (folderReadOnly)
            QFile::setPermissions(m_folder->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);

        SafeFileWriter writer(m_folder->filePath(name));
        QVERIFY(!writer.write("new"));
        QVERIFY(!writer.errorString().isEmpty());
        QCOMPARE(folderEntries(), before);
        QCOMPARE(m_folder->readFile(QStringLiteral("readonly.txt")), kOld);
    }

    // Every writer of the program, on a disk that has no room for what it writes: each
    // reports the failure where it reports anything, and the old file stays whole.
    void fullDisk_data()
    {
        QTest::addColumn<FullDisk::Kind>("kind");
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("folderReadOnly");
        const std::pair<const char*, FullDisk::Kind> kinds[] = {
            {"tmpfs", FullDisk::Kind::Tmpfs}, {"size limit", FullDisk::Kind::FileSizeLimit}};
        for (const auto& [kindName, kind] : kinds) {
            const auto row = [&](const char* writer, const char* file, bool folderReadOnly) {
                QTest::addRow("%s, %s%s", kindName, writer, folderReadOnly ? ", in place" : "")
                    << kind << QString::fromLatin1(writer) << QString::fromLatin1(file)
                    << folderReadOnly;
            };
            row("preference", "ini/qvprefs.ini", false);
            row("preference", "ini/qvprefs.ini", true);
            row("font preference", "ini/qvprefs.ini", false);
            row("login settings", "tavrel.ini", false);
            row("helper save", "notes.txt", false);
        }
    }
    void fullDisk()
    {
        QFETCH(FullDisk::Kind, kind);
        QFETCH(QString, writer);
        QFETCH(QString, file);
        QFETCH(bool, folderReadOnly);
        FullDisk disk(m_folder->path(), kind);
        if (!disk.available())
            QSKIP("This process may not mount a file system.");
        m_folder->writeFile(file, kOld);
        const QString folder = QFileInfo(m_folder->filePath(file)).absolutePath();
        if (folderReadOnly)
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QTextEdit box;
        dTxtHelper helper;
        helper.SetEditor(&box);
        box.setPlainText(kLong);

        disk.fill();
        bool reported = true;
        if (writer == QLatin1String("preference")) {
            reported = !WritePref(QStringLiteral("UserPrefs"), QStringLiteral("TitleBar"), kLong);
        } else if (writer == QLatin1String("font preference")) {
            reported = !EditorFont::save(QFont(kLong));
        } else if (writer == QLatin1String("login settings")) {
            LoginSettings().setRememberedName(kLong);
        } else {
            reported = !helper.SaveToFile(m_folder->filePath(file));
        }
        disk.release();
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);

        QVERIFY(reported);
        QCOMPARE(m_folder->readFile(file), kOld);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
};

QTEST_MAIN(TestSafeFileWriter)
#include "TestSafeFileWriter.moc"
