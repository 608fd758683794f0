// Every file writer of the programs, again and again, on a disk with little or no room
// left: a write either does all it says or leaves the file as it was. Each write is first
// made on a copy in a folder with room, which gives the bytes a successful write must
// leave; then the same write runs on the full disk, and the file must hold those bytes
// (the writer said it succeeded) or the old ones (it said it failed). One write in four
// finds its folder read-only, so that the file is written in place.
//
//   TrialFullDisk [--reference] [writes]
//
// --reference puts the expected bytes in place with QSaveFile instead, as the programs
// wrote their files before: what the trial finds without the checked writer.

#include "FullDisk.h"
#include "editor/EditorFont.h"
#include "profile/Prefs.h"
#include "richtext/dTxtHelper.h"
#include "security/LoginSettings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTextStream>
#include <optional>

namespace {

enum class Writer
{
    Preference,
    FontPreference,
    LoginSettings,
    HelperSave
};
const char* const kWriterNames[] = {"preference", "font preference", "login settings",
                                    "helper save"};
constexpr QFileDevice::Permissions kReadOnlyFolder =
    QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
    QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
const char* const kFiles[] = {"ini/qvprefs.ini", "ini/qvprefs.ini", "tavrel.ini", "notes.txt"};

struct Action
{
    Writer writer;
    QString key;
    QString value;
};

struct Snapshot
{
    bool exists = false;
    QByteArray bytes;
    bool operator==(const Snapshot& other) const
    {
        return exists == other.exists && bytes == other.bytes;
    }
};

Snapshot snapshot(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return {true, file.readAll()};
}

QString randomText(QRandomGenerator& random, int maximum)
{
    static const QString letters =
        QStringLiteral("abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ/._-0123456789éü€");
    QString text(random.bounded(maximum + 1), QChar());
    for (QChar& c : text)
        c = letters.at(random.bounded(int(letters.size())));
    if (random.bounded(5) == 0)
        text = QLatin1Char('"') + text + QLatin1Char('"');
    return text;
}

Action randomAction(QRandomGenerator& random)
{
    static const char* const keys[] = {"Path", "TitleBar", "DateFormat", "UseViewerForImages"};
    const auto writer = Writer(random.bounded(4));
    const int longest = writer == Writer::HelperSave ? 12000 : 400;
    return {writer, QLatin1String(keys[random.bounded(4)]), randomText(random, longest)};
}

// Runs the action on the program folder QUORVEL_PROGRAM_DIR names; what the writer said,
// or nothing for a writer that says nothing.
std::optional<bool> run(const Action& action, dTxtHelper& helper, QTextEdit& box)
{
    switch (action.writer) {
    case Writer::Preference:
        return WritePref(action.key == QLatin1String("Path") ? QStringLiteral("General")
                                                             : QStringLiteral("UserPrefs"),
                         action.key, action.value);
    case Writer::FontPreference:
        return EditorFont::save(QFont(action.value, 10 + int(action.value.size() % 9)));
    case Writer::LoginSettings:
        LoginSettings().setRememberedName(action.value);
        return std::nullopt;
    case Writer::HelperSave:
        box.setPlainText(action.value);
        return helper.SaveToFile(QDir(qEnvironmentVariable("QUORVEL_PROGRAM_DIR"))
                                     .filePath(QLatin1String(kFiles[int(action.writer)])));
    }
    return std::nullopt;
}

bool saveTheOldWay(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

void seed(const QString& folder)
{
    QDir(folder).mkpath(QStringLiteral("ini"));
    const std::pair<const char*, QByteArray> files[] = {
        {"ini/qvprefs.ini", "[General]\r\nPath=/srv/caf\xc3\xa9/kb.db\r\n[UserPrefs]\r\n"
                            "TitleBar=Help Desk \xe9\r\nDateFormat=d-mmmm\r\n"},
        {"tavrel.ini", "[Disclaimer]\r\nShow Disclaimer=No\r\n"},
        {"notes.txt", "notes"}};
    for (const auto& [name, bytes] : files) {
        QFile file(QDir(folder).filePath(QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
}

void copyFile(const QString& from, const QString& to)
{
    QFile::remove(to);
    QFile::copy(from, to);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments().mid(1);
    const bool reference = arguments.removeAll(QStringLiteral("--reference")) > 0;
    const int writes = arguments.isEmpty() ? 2000 : arguments.first().toInt();
    QTextStream out(stdout);

    QTemporaryDir diskFolder;
    // The copies go to memory where there is a tmpfs for it: a disk's fsync costs more
    // than the whole trial otherwise.
    QTemporaryDir roomy(QDir(QStringLiteral("/dev/shm")).exists()
                            ? QStringLiteral("/dev/shm/TrialFullDisk-XXXXXX")
                            : QDir::tempPath() + QStringLiteral("/TrialFullDisk-XXXXXX"));
    auto disk = std::make_unique<FullDisk>(diskFolder.path(), FullDisk::Kind::Tmpfs);
    const bool tmpfs = disk->available();
    if (!tmpfs)
        disk = std::make_unique<FullDisk>(diskFolder.path(), FullDisk::Kind::FileSizeLimit);
    seed(diskFolder.path());
    seed(roomy.path());

    QTextEdit box;
    dTxtHelper helper;
    helper.SetEditor(&box);
    QRandomGenerator random(20240611);
    int saved = 0, refused = 0, unsaid = 0, lost = 0;
    QString lastPath = QStringLiteral("/srv/café/kb.db");
    for (int i = 0; i < writes; ++i) {
        const Action action = randomAction(random);
        const QString file = QLatin1String(kFiles[int(action.writer)]);
        const QString real = QDir(diskFolder.path()).filePath(file);
        const QString copy = QDir(roomy.path()).filePath(file);
        const Snapshot old = snapshot(real);

        copyFile(real, copy);
        qputenv("QUORVEL_PROGRAM_DIR", QFile::encodeName(roomy.path()));
        run(action, helper, box);
        const Snapshot expected = snapshot(copy);

        // One write in four where the folder is read-only: the file is written in place.
        const QString folder = QFileInfo(real).absolutePath();
        const bool inPlace = random.bounded(4) == 0;
        if (inPlace)
            QFile::setPermissions(folder, kReadOnlyFolder);
        qputenv("QUORVEL_PROGRAM_DIR", QFile::encodeName(diskFolder.path()));
        disk->fill(random.bounded(5) * 4096);
        const std::optional<bool> said =
            reference ? saveTheOldWay(real, expected.bytes) : run(action, helper, box);
        disk->release();
        if (inPlace)
            QFile::setPermissions(folder, kReadOnlyFolder | QFileDevice::WriteOwner);

        const Snapshot now = snapshot(real);
        const bool whole = said == true    ? now == expected
                           : said == false ? now == old
                                           : now == old || now == expected;
        if (!whole) {
            ++lost;
            if (lost <= 5)
                out << "lost: " << kWriterNames[int(action.writer)] << ", " << old.bytes.size()
                    << " bytes before, " << now.bytes.size() << " after, " << expected.bytes.size()
                    << " meant; said " << (said ? (*said ? "saved" : "failed") : "nothing") << "\n";
        } else if (!said) {
            ++unsaid;
        } else if (*said) {
            ++saved;
            if (action.writer == Writer::Preference && action.key == QLatin1String("Path"))
                lastPath = action.value;
        } else {
            ++refused;
        }
    }
    qsizetype stray = 0;
    for (const QString& folder : {diskFolder.path(), diskFolder.path() + QStringLiteral("/ini")})
        stray += QDir(folder).entryList(QDir::Files | QDir::Hidden).size();
    stray -= 3; // the three files of the trial
    out << (reference ? "QSaveFile as before" : "the programs' writers") << " on "
        << (tmpfs ? "a 64 KB tmpfs with 0 to 16 KB free" : "a file-size limit of 0 to 16 KB")
        << ": " << writes << " writes, " << saved << " saved, " << refused
        << " refused and said so, " << unsaid << " unsaid (login settings), " << lost
        << " files damaged or emptied; " << stray << " temporary files left; database path "
        << (ReadPref(QStringLiteral("General"), QStringLiteral("Path")) == lastPath.left(254)
                ? "as last saved"
                : "lost")
        << "\n";
    return lost == 0 ? 0 : 1;
}
