#include "Main.h"

#include "db/DbError.h"
#include "db/SchemaUpgrade.h"
#include "mainwindow/frmMain.h"
#include "profile/Prefs.h"
#include "security/PasswordSwitch.h"
#include "security/frmLogin.h"
#include "shell/ProgramFolder.h"
#include "shell/Shell.h"
#include "startup/NameLists.h"
#include "startup/RunTimeError.h"
#include "startup/Session.h"
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

} // namespace

Program Main()
{
    Program program;
    const QString path = ReadPref(QStringLiteral("General"), QStringLiteral("Path"));
    try {
        auto connection = std::make_unique<Connection>();
        connection->open(path);
        program.session = std::make_unique<Session>(std::move(connection));
    } catch (const DbError& error) {
        reportUnopenedDatabase(error);
        return {};
    }
    Session& session = *program.session;
    SchemaUpgrade::probeAndUpgrade(session.db());

    session.CategoryNames = NameLists::load(session.db(), NameLists::Categories);
    session.AuthorNames = NameLists::load(session.db(), NameLists::Authors);
    session.reopenArticles(QStringLiteral("SELECT * FROM QV ORDER BY id"));

    session.login.PasswordsEnabled = PasswordSwitch::isOn(session.db());

    program.mainWindow = std::make_unique<frmMain>(session);
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
