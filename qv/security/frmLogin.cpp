#include "frmLogin.h"

#include "history/HistoryLogin.h"
#include "security/Accounts.h"
#include "security/SecurityControls.h"
#include "security/frmTest.h"
#include "startup/Session.h"
#include "ui/Dialogs.h"

#include <QCheckBox>
#include <QDateTime>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kDisclaimer = QStringLiteral(
    "Please remember to keep the Admin password in a safe place. If the Admin password is "
    "lost, your database will need to be sent to Orvane to have passwords cleared.\n\n"
    "To the maximum extent permitted by applicable law, in no event shall the company or it's "
    "representatives be liable for any special, incidental, indirect, or consequential damages "
    "whatsoever, (including, without limitation, damages for loss of business profits, "
    "business interruption, loss of business information, or any other loss) arising out of "
    "the use of or inability to use this SOFTWARE PRODUCT or the provision or failure to "
    "provide support services, even if the company has been informed of  the possibility of "
    "such damages.");

// The break between lines of the "Login Required" text is LF followed by CR.
const QString kLoginRequired = QStringLiteral("You must login in order to continue. \n\r"
                                              "If you do not have a login name, \n\r"
                                              "Please contact your Administrator.");

const QString kLoginIncorrect = QStringLiteral(
    "Your login name or password is incorrect. If you can not log in, contact your system "
    "administrator and have them set up an account for you on the system.");

QLabel* wrappedLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}

} // namespace

frmLogin::frmLogin(Session& session, QWidget& mainWindow)
    : m_session(session), m_mainWindow(mainWindow),
      m_loggedIn(std::make_unique<frmTest>(session.db(), mainWindow))
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Quorvel Login"));
    buildControls();

    // Load.
    txtDisclaimer->setPlainText(kDisclaimer);
    if (m_settings.rememberMe()) {
        chkRememberMe->setChecked(true);
        txtLoginName->setText(m_settings.rememberedName());
    }
    adjustSize();
    if (!m_settings.showDisclaimer())
        chkDoNotDisplay->setChecked(true);
}

frmLogin::~frmLogin() = default;

void frmLogin::buildControls()
{
    txtLoginName = new QLineEdit(this);
    txtLoginName->setObjectName(QStringLiteral("txtLoginName"));
    txtPassWord = passwordBox(this, "txtPassWord");
    auto* names = new QHBoxLayout;
    names->addWidget(captionedFrame(this, QStringLiteral("&User Name"), txtLoginName));
    names->addWidget(captionedFrame(this, QStringLiteral("&Password "), txtPassWord));

    chkRememberMe = new QCheckBox(QStringLiteral("&Remember Me"), this);
    chkRememberMe->setObjectName(QStringLiteral("chkRememberMe"));
    connect(chkRememberMe, &QCheckBox::toggled, this, &frmLogin::chkRememberMe_Click);
    cmdLogin = new QPushButton(QStringLiteral("&OK"), this);
    cmdLogin->setObjectName(QStringLiteral("cmdLogin"));
    cmdLogin->setDefault(true);
    cmdExit = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    connect(cmdLogin, &QPushButton::clicked, this, &frmLogin::cmdLogin_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmLogin::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkRememberMe);
    buttons->addStretch(1);
    buttons->addWidget(cmdLogin);
    buttons->addWidget(cmdExit);

    txtDisclaimer = new QPlainTextEdit(this);
    txtDisclaimer->setObjectName(QStringLiteral("txtDisclaimer"));
    txtDisclaimer->setReadOnly(true);
    txtDisclaimer->setMinimumSize(420, 165);
    fraDisclaimer = captionedFrame(this, QStringLiteral("&Disclaimer"), txtDisclaimer);
    fraDisclaimer->setObjectName(QStringLiteral("fraDisclaimer"));

    chkDoNotDisplay =
        new QCheckBox(QStringLiteral("I &accept the disclaimer, do not show again. "), this);
    chkDoNotDisplay->setObjectName(QStringLiteral("chkDoNotDisplay"));
    connect(chkDoNotDisplay, &QCheckBox::toggled, this, &frmLogin::chkDoNotDisplay_Click);

    Label1 = wrappedLabel(this, "Label1",
                          QStringLiteral("By pressing OK, you are agreeing to, and understand  the "
                                         "terms and conditions in the disclaimer. "));
    Label2 =
        wrappedLabel(this, "Label2", QStringLiteral("Please press Cancel if you do not agree."));

    auto* page = new QVBoxLayout(this);
    page->addLayout(names);
    page->addLayout(buttons);
    page->addWidget(fraDisclaimer, 1);
    page->addWidget(chkDoNotDisplay);
    page->addWidget(Label1);
    page->addWidget(Label2);
    // Without the disclaimer the rows keep together at the top.
    page->addStretch();
}

void frmLogin::cmdLogin_Click()
{
    if (txtLoginName->text().isEmpty()) {
        dialogs().message({kLoginRequired, QStringLiteral("Login Required"), Dialogs::Buttons::Ok,
                           Dialogs::Icon::Warning, std::nullopt},
                          this);
        return;
    }
    UserLogin();
}

bool frmLogin::UserLogin()
{
    const QString name = txtLoginName->text();
    const std::optional<Account> account =
        Accounts(m_session.db()).logIn(name, txtPassWord->text());
    if (!account) {
        dialogs().message({kLoginIncorrect, QStringLiteral("Login..."), Dialogs::Buttons::Ok,
                           Dialogs::Icon::Information, std::nullopt},
                          this);
        txtLoginName->setFocus();
        txtLoginName->clear();
        txtPassWord->clear();
        return false;
    }

    LoginState& login = m_session.login;
    login.UserIsReadOnly = account->readOnly;
    login.UserLoggedIn = true;
    hide();
    if (!account->fullName.isEmpty()) {
        login.CurrentUserFullName = account->fullName;
        m_mainWindow.setWindowTitle(QLatin1Char('(') + account->fullName +
                                    QStringLiteral(" Logged In)"));
    }
    login.UserIsAdministrator = account->administrator;
    if (login.PasswordsEnabled)
        HistoryLogin::sign(m_session.db(), account->loginName);
    m_loggedIn->showLogin(login, QDateTime::currentDateTime());
    if (chkRememberMe->isChecked())
        m_settings.setRememberedName(name);
    return true;
}

void frmLogin::reject()
{
    const Dialogs::Message question{QStringLiteral("Exit Quorvel?"), QStringLiteral("Confirmation"),
                                    Dialogs::Buttons::YesNo, Dialogs::Icon::None,
                                    Dialogs::Answer::No};
    if (dialogs().message(question, this) == Dialogs::Answer::Yes)
        dialogs().endProgram();
}

void frmLogin::chkDoNotDisplay_Click(bool ticked)
{
    m_settings.setShowDisclaimer(!ticked);
    fraDisclaimer->setVisible(!ticked);
    if (ticked) {
        // The layout gives up the disclaimer's room before the window shrinks to it.
        layout()->activate();
        resize(width(), kHeightWithoutDisclaimer);
    }
}

void frmLogin::chkRememberMe_Click(bool ticked)
{
    m_settings.setRememberMe(ticked);
}
