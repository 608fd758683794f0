#include "Main.h"

#include "db/DbError.h"
#include "db/SchemaUpgrade.h"
#include "db/Store.h"
#include "history/HistoryPruner.h"
#include "history/HistorySchema.h"
#include "mainwindow/frmMain.h"
#include "profile/Prefs.h"
#include "security/PasswordSwitch.h"
#include "security/frmLogin.h"
#include "shell/ProgramFolder.h"
#include "shell/Shell.h"
#include "startup/NameLists.h"
#include "startup/RunTimeError.h"
#include "startup/Session.h"
#include "startup/StartupProgress.h"
#include "ui/Dialogs.h"

#include <QAction>

Program::Program() = default;
Program::Program(Program&&) noexcept = default;
Program& Program::operator=(Program&& other) noexcept
{
    // The windows go before the session they work on.
    mainWindow.reset();
    session = std::move(other.session);
    mainWindow = std::move(other.mainWindow);
    return *this;
}
Program::~Program() = default;

namespace {

// The path utility lies beside the program.
QString waysetPath()
{
    return applicationFolder() + QStringLiteral("/wayset");
}

void reportUnopenedDatabase(const DbError& error)
{
    dialogs().inform(QStringLiteral("Error: Unable to open database.\nError description: ") +
                         error.description() + QStringLiteral(" \nError code: ") +
                         QString::number(error.number()) +
                         QStringLiteral("\n\nUse Wayset.exe to modify the database path."),
                     QStringLiteral("Quorvel"));
    if (!shell().startProgram(waysetPath())) {
        RunTimeError::report(53, QStringLiteral("File not found: ") + waysetPath());
        return;
    }
    dialogs().endProgram();
}

// Opens the database and makes sure it is a knowledge base, changing nothing in the file.
std::unique_ptr<Connection> openKnowledgeBase(const QString& path)
{
    auto connection = std::make_unique<Connection>();
    connection->open(path);
    if (!connection->store().table(QStringLiteral("QV")))
        throw DbError(DbError::StoreFailure,
                      QStringLiteral("Unrecognized database format '%1'.").arg(path));
    return connection;
}

} // namespace

Program Main()
{
    StartupProgress progress;
    Program program;
    const QString path = ReadPref(QStringLiteral("General"), QStringLiteral("Path"));
    try {
        program.session = std::make_unique<Session>(openKnowledgeBase(path));
    } catch (const DbError& error) {
        // A file that another program kept locked past the wait is no wrong path.
        if (error.cause() == DbError::Cause::Locked)
            throw;
        reportUnopenedDatabase(error);
        return {};
    }
    Session& session = *program.session;
    SchemaUpgrade::probeAndUpgrade(session.db(),
                                   [&progress](SchemaUpgrade::Step step, int done, int total) {
                                       progress.upgrading(step, done, total);
                                   });
    HistorySchema::addIfMissing(session.db());

    session.CategoryNames = NameLists::load(session.db(), NameLists::Categories);
    session.AuthorNames = NameLists::load(session.db(), NameLists::Authors);
    session.reopenArticles(QStringLiteral("SELECT * FROM QV ORDER BY id"));

    session.login.PasswordsEnabled = PasswordSwitch::isOn(session.db());

    program.mainWindow = std::make_unique<frmMain>(session);
    HistoryPruner::startIfWanted(session.db(), program.mainWindow.get());
    if (session.login.PasswordsEnabled) {
        // The main window stays hidden until a login lets the user through.
        program.mainWindow->loginWindow().show();
        program.mainWindow->findChild<QAction*>(QStringLiteral("mnuEnablePasswords"))
            ->setText(PasswordSwitch::caption(true));
    } else {
        program.mainWindow->show();
    }
    return program;
}
