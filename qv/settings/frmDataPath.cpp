#include "frmDataPath.h"

#include "db/Connection.h"
#include "db/ServerAddress.h"
#include "profile/Prefs.h"
#include "settings/UserPrefs.h"
#include "ui/Dialogs.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kSection = QStringLiteral("General");
const QString kKey = QStringLiteral("Path");
} // namespace

const QString frmDataPath::ReadOnlyMessage =
    QStringLiteral("Can't display the Database Path. The current user rights are set to read "
                   "only.");

frmDataPath::frmDataPath(QWidget* mainWindow, std::function<void()> endProgram)
    : LineEntryDialog(mainWindow, "frmDataPath", QStringLiteral(" Database Path"),
                      QStringLiteral("&Database Path:"), QStringLiteral("&OK"),
                      QStringLiteral("&Cancel")),
      m_endProgram(std::move(endProgram))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    Text1->setMinimumWidth(460);
    connect(Command1, &QPushButton::clicked, this, &frmDataPath::save);
    Text1->setText(ReadPref(kSection, kKey));
    m_loadedPath = Text1->text();
}

void frmDataPath::save()
{
    const QString path = Text1->text();
    const QString problem =
        Connection::isServerAddress(path) ? ServerAddress::problem(path) : QString();
    if (!problem.isEmpty()) {
        dialogs().message({problem, QStringLiteral("Quorvel"), Dialogs::Buttons::Ok,
                           Dialogs::Icon::Warning, std::nullopt},
                          this);
        return;
    }
    if (!UserPrefs::save(kSection, kKey, Text1->text(), this))
        return;
    if (Text1->text() != m_loadedPath) {
        dialogs().inform(QStringLiteral("The database path has been changed. Please restart "
                                        "Quorvel."),
                         QStringLiteral("Quorvel"), this);
        m_endProgram();
    }
    accept();
}
