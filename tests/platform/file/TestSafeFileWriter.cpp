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

#include <memory>

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

void setWritable(const QString& folder, bool writable)
{
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                      (writable ? QFileDevice::WriteOwner : QFileDevice::Permission()));
}

} // namespace

class TestSafeFileWriter : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempProgramFolder> m_folder;

    QStringList folderEntries() const
    {
        return QDir(m_folder->path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

private Q_SLOTS:
    void init() { m_folder = std::make_unique<TempProgramFolder>(); }
    void cleanup()
    {
        setWritable(m_folder->path(), true);
        m_folder.reset();
    }

    // notes.txt, with the old bytes and the mode, is replaced whole through the name written,
    // or the write is refused and leaves it as it was. No other file stays behind.
    void write_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("folderReadOnly");
        QTest::addColumn<bool>("accepted");
        const QString notes = QStringLiteral("notes.txt");
        QTest::newRow("mode kept") << notes << kOld << 0640 << false << true;
        QTest::newRow("through a symbolic link") << "link.txt" << kOld << 0644 << false << true;
        QTest::newRow("in place where the folder is read-only, longer")
            << notes << kOld << 0664 << true << true;
        QTest::newRow("in place where the folder is read-only, shorter")
            << notes << (kOld + kLong.toUtf8()) << 0664 << true << true;
        QTest::newRow("read-only file") << notes << kOld << 0400 << false << false;
        QTest::newRow("a folder") << "ini" << kOld << 0644 << false << false;
        QTest::newRow("missing folder") << "missing/notes.txt" << kOld << 0644 << false << false;
        QTest::newRow("new file in a read-only folder") << "new.txt" << kOld << 0644 << true
                                                        << false;
    }
    void write()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, old);
        QFETCH(int, mode);
        QFETCH(bool, folderReadOnly);
        QFETCH(bool, accepted);
        const QString target = m_folder->filePath(QStringLiteral("notes.txt"));
        m_folder->writeFile(QStringLiteral("notes.txt"), old);
        ::chmod(QFile::encodeName(target).constData(), mode_t(mode));
        const QString written = m_folder->filePath(name);
        const bool viaLink = name == QLatin1String("link.txt");
        QVERIFY(!viaLink || QFile::link(target, written));
        const QStringList before = folderEntries();
        setWritable(m_folder->path(), !folderReadOnly);

        const QByteArray bytes = "[General]\nPath=/new.db\n" + kLong.left(100).toUtf8();
        SafeFileWriter writer(written);
        QCOMPARE(writer.write(bytes), accepted);
        QCOMPARE(writer.errorString().isEmpty(), accepted);
        QCOMPARE(m_folder->readFile(QStringLiteral("notes.txt")), accepted ? bytes : old);
        QCOMPARE(modeOf(target), mode_t(mode));
        QVERIFY(!viaLink || QFileInfo(written).isSymLink());
        QCOMPARE(folderEntries(), before);
    }

    // Content given in parts replaces the file only when committed; until then, and after
    // any failure, the old file stays and nothing else is left in the folder.
    void writesInParts_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("committed") << "commit" << true;
        QTest::newRow("abandoned") << "abandon" << false;
        QTest::newRow("the writer goes without a commit") << "none" << false;
        QTest::newRow("the disk fills up") << "full disk" << false;
    }
    void writesInParts()
    {
        QFETCH(QString, end);
        QFETCH(bool, replaced);
        m_folder->writeFile(QStringLiteral("notes.txt"), kOld);
        const QStringList before = folderEntries();
        const QByteArray part = kLong.toLatin1();
        {
            FullDisk disk(m_folder->path(), FullDisk::Kind::FileSizeLimit);
            SafeFileWriter writer(m_folder->filePath(QStringLiteral("notes.txt")));
            QVERIFY(writer.begin());
            QVERIFY(writer.append(part));
            if (end == QLatin1String("full disk")) {
                disk.fill(part.size() + 10);
                QVERIFY(!writer.append(part));
                QCOMPARE(writer.errorNumber(), EFBIG);
                disk.release();
            } else {
                QVERIFY(writer.append(part));
            }
            if (end == QLatin1String("commit"))
                QVERIFY(writer.commit());
            else if (end == QLatin1String("abandon"))
                writer.abandon();
        }
        QCOMPARE(m_folder->readFile(QStringLiteral("notes.txt")), replaced ? part + part : kOld);
        QCOMPARE(folderEntries(), before);
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
        setWritable(folder, !folderReadOnly);
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
        setWritable(folder, true);

        QVERIFY(reported);
        QCOMPARE(m_folder->readFile(file), kOld);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
};

QTEST_MAIN(TestSafeFileWriter)
#include "TestSafeFileWriter.moc"
