#include "frmTest.h"

#include "security/LoginState.h"
#include "security/frmSetupUsersForPasswords.h"
#include "text/DateText.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("Logged In");
}

frmTest::frmTest(Connection& db, QWidget& mainWindow) : m_db(db), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("frmTest"));
    setWindowTitle(kTitle);

    lblUser = new QLabel(this);
    lblUser->setObjectName(QStringLiteral("lblUser"));
    QFont bold = lblUser->font();
    bold.setBold(true);
    lblUser->setFont(bold);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    lblLoginTime = new QLabel(this);
    lblLoginTime->setObjectName(QStringLiteral("lblLoginTime"));

    Command1 = new QPushButton(QStringLiteral("&Setup Users"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &frmTest::Command1_Click);
    Command2 = new QPushButton(QStringLiteral("&OK"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setDefault(true);
    connect(Command2, &QPushButton::clicked, this, &frmTest::continueToMainWindow);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto* page = new QVBoxLayout(this);
    page->addWidget(lblUser);
    page->addWidget(Label1);
    page->addWidget(lblLoginTime);
    page->addSpacing(8);
    page->addLayout(buttons);
    setMinimumWidth(260);
}

frmTest::~frmTest() = default;

void frmTest::Command1_Click()
{
    // An account window still open stays as it is; a closed one starts afresh.
    if (!m_accounts || !m_accounts->isVisible()) {
        m_accounts = std::make_unique<frmSetupUsersForPasswords>(m_db);
        // Closing it at start-up, before the main window was ever shown, leads on to the
        // main window as "&OK" here would, so that some window is always open.
        connect(m_accounts.get(), &QDialog::finished, &m_mainWindow, &QWidget::show);
    }
    m_accounts->show();
    m_accounts->activateWindow();
    hide();
}

void frmTest::showLogin(const LoginState& login, const QDateTime& loginTime)
{
    // A login without a full name keeps the title of the last one that had one.
    if (!login.CurrentUserFullName.isEmpty())
        setWindowTitle(login.CurrentUserFullName + QLatin1Char(' ') + kTitle);
    lblLoginTime->setText(DateText::format(loginTime, QStringLiteral("H:MM AMPM DD/MM/YYYY")));
    lblUser->setText(login.CurrentUserFullName);
    Label1->setText(login.UserIsAdministrator ? QStringLiteral("Administrator")
                                              : QStringLiteral("User"));
    Command1->setEnabled(login.UserIsAdministrator);
    show();
    activateWindow();
}

void frmTest::reject()
{
    continueToMainWindow();
}

void frmTest::continueToMainWindow()
{
    // Shown before this one hides, so that some window of the program is always open.
    m_mainWindow.show();
    hide();
}
