#include "ArticleFixture.h"
#include "RecordingDialogs.h"
#include "TempProgramFolder.h"
#include "TestPaths.h"
#include "db/Connection.h"
#include "mainwindow/frmMain.h"
#include "profile/PrivateProfile.h"
#include "security/frmLogin.h"
#include "security/frmTest.h"
#include "security/mdlEncrypt.h"
#include "startup/Main.h"
#include "startup/Session.h"
#include "text/DateText.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>

Q_DECLARE_METATYPE(Dialogs::Answer)

namespace {

const QString kExitQuestion = QStringLiteral("Exit Quorvel?");

// An SQL text literal, or NULL for a null text.
QString literal(const QString& text)
{
    return text.isNull() ? QStringLiteral("NULL")
                         : QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), "''") +
                               QLatin1Char('\'');
}

QString account(const QString& name, const QString& password, const QString& fullName,
                int administrator, int readOnly)
{
    return QStringLiteral("INSERT INTO Login (LoginName, Password, FullName, Administrator, "
                          "ReadOnly) VALUES (%1, '%2', %3, %4, %5);\n")
        .arg(literal(name), mdlEncrypt::ScramblePassword(password, password), literal(fullName))
        .arg(administrator)
        .arg(readOnly);
}

// The accounts every test logs in with.
QString accounts()
{
    return account(QStringLiteral("admin"), QString(), QStringLiteral("Administrator"), -1, 0) +
           account(QStringLiteral("Dana"), QStringLiteral("s3cret"),
                   QStringLiteral("Dana Whitfield"), 0, 0) +
           account(QStringLiteral("reader"), QStringLiteral("look"), QStringLiteral("Rita Reader"),
                   0, -1) +
           account(QStringLiteral("boss"), QStringLiteral("x"), QStringLiteral("Bea Boss"), 1, -1) +
           account(QStringLiteral("Jürgen"), QStringLiteral("pw"), QStringLiteral("Jürgen Brandt"),
                   0, 0) +
           account(QStringLiteral("o'brien#1"), QStringLiteral("it's"),
                   QStringLiteral("Pat O'Brien"), 0, 0) +
           account(QStringLiteral("anon"), QStringLiteral("a"), QString(), 0, 0);
}

} // namespace

// The login window and its "Logged In" window on a database with a handful of accounts.
class TestfrmLogin : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<RecordingDialogs> m_dialogs;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<QMainWindow> m_main;
    std::unique_ptr<frmLogin> m_login;

    frmTest& loggedIn() { return m_login->loggedInWindow(); }

    QString tavrel(const QString& section, const QString& key) const
    {
        return PrivateProfile(m_folder->filePath(QStringLiteral("tavrel.ini"))).read(section, key);
    }

    // A new login window, as the next start of the program makes it.
    void reopen()
    {
        m_login = std::make_unique<frmLogin>(*m_session, *m_main);
        m_login->show();
    }

    bool logIn(const QString& name, const QString& password)
    {
        if (!m_login->isVisible())
            m_login->show();
        m_login->txtLoginName->setText(name);
        m_login->txtPassWord->setText(password);
        m_login->cmdLogin->click();
        return m_session->login.UserLoggedIn && !m_login->isVisible();
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempProgramFolder>();
        const QString path = m_folder->createDatabase(ArticleFixture::sql(1) + accounts());
        auto connection = std::make_unique<Connection>();
        connection->open(path);
        m_session = std::make_unique<Session>(std::move(connection));
        m_dialogs = std::make_unique<RecordingDialogs>();
        m_main = std::make_unique<QMainWindow>();
        m_main->setWindowTitle(QStringLiteral("Help Desk KB"));
        reopen();
    }
    void cleanup()
    {
        m_login.reset();
        m_main.reset();
        m_dialogs.reset();
        m_session.reset();
        m_folder.reset();
    }

    void boxesHaveCaptions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("user name") << "txtLoginName"
                                   << "&User Name";
        QTest::newRow("password") << "txtPassWord"
                                  << "&Password ";
        QTest::newRow("disclaimer") << "txtDisclaimer"
                                    << "&Disclaimer";
    }
    void boxesHaveCaptions()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QWidget* box = m_login->findChild<QWidget*>(name);
        QVERIFY(box);
        const QList<QLabel*> labels = m_login->findChildren<QLabel*>();
        const auto found = std::find_if(labels.begin(), labels.end(),
                                        [box](QLabel* label) { return label->buddy() == box; });
        QVERIFY2(found != labels.end(), "the box has no caption");
        QCOMPARE((*found)->text(), caption);
    }

    void loginSucceeds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("administrator");
        QTest::addColumn<QString>("fullName");
        QTest::newRow("administrator, empty password") << "admin"
                                                       << "" << false << true << "Administrator";
        QTest::newRow("name in other letter case")
            << "DANA"
            << "s3cret" << false << false << "Dana Whitfield";
        QTest::newRow("letter case beyond ASCII") << "JÜRGEN"
                                                  << "pw" << false << false << "Jürgen Brandt";
        QTest::newRow("read-only") << "reader"
                                   << "look" << true << false << "Rita Reader";
        QTest::newRow("read-only administrator") << "boss"
                                                 << "x" << true << true << "Bea Boss";
        QTest::newRow("quotes and # are characters") << "O'Brien#1"
                                                     << "it's" << false << false << "Pat O'Brien";
    }
    void loginSucceeds()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(bool, readOnly);
        QFETCH(bool, administrator);
        QFETCH(QString, fullName);

        const QDateTime before = QDateTime::currentDateTime();
        QVERIFY(logIn(name, password));
        const QDateTime after = QDateTime::currentDateTime();

        const LoginState& state = m_session->login;
        QCOMPARE(state.UserIsReadOnly, readOnly);
        QCOMPARE(state.UserIsAdministrator, administrator);
        QCOMPARE(state.CurrentUserFullName, fullName);
        QVERIFY(m_dialogs->messages().isEmpty());
        QCOMPARE(m_main->windowTitle(), "(" + fullName + " Logged In)");
        QVERIFY(!m_main->isVisible());
        // The boxes keep what was typed, so that OK logs the same user in again.
        QCOMPARE(m_login->txtLoginName->text(), name);
        QCOMPARE(m_login->txtPassWord->text(), password);

        QVERIFY(loggedIn().isVisible());
        QCOMPARE(loggedIn().windowTitle(), fullName + " Logged In");
        QCOMPARE(loggedIn().lblUser->text(), fullName);
        QCOMPARE(loggedIn().Label1->text(),
                 administrator ? QStringLiteral("Administrator") : QStringLiteral("User"));
        QVERIFY(!loggedIn().Command1->isEnabled());
        const QString pattern = QStringLiteral("H:MM AMPM DD/MM/YYYY");
        QVERIFY2(loggedIn().lblLoginTime->text() == DateText::format(before, pattern) ||
                     loggedIn().lblLoginTime->text() == DateText::format(after, pattern),
                 qPrintable(loggedIn().lblLoginTime->text()));
    }

    void loginFails_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::newRow("wrong password") << "Dana"
                                        << "secret";
        QTest::newRow("password in other letter case") << "Dana"
                                                       << "S3CRET";
        QTest::newRow("unknown name") << "nobody"
                                      << "";
        QTest::newRow("part of a name") << "adm"
                                        << "";
        QTest::newRow("name with surrounding blanks") << " admin"
                                                      << "";
        QTest::newRow("quotes in the name") << "' OR '1'='1"
                                            << "";
        QTest::newRow("comment in the name") << "admin' --"
                                             << "wrong";
        QTest::newRow("quotes in the password") << "Dana"
                                                << "' OR '1'='1";
        QTest::newRow("a wildcard is no wildcard") << "*"
                                                   << "";
    }
    void loginFails()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QVERIFY(!logIn(name, password));

        QCOMPARE(m_dialogs->messages().size(), 1);
        const Dialogs::Message message = m_dialogs->lastMessage();
        QCOMPARE(message.text,
                 QStringLiteral("Your login name or password is incorrect. If you can not log in, "
                                "contact your system administrator and have them set up an "
                                "account for you on the system."));
        QCOMPARE(message.title, QStringLiteral("Login..."));
        QVERIFY(message.buttons == Dialogs::Buttons::Ok);
        QVERIFY(message.icon == Dialogs::Icon::Information);
        QVERIFY(m_login->txtLoginName->text().isEmpty());
        QVERIFY(m_login->txtPassWord->text().isEmpty());
        QCOMPARE(m_login->focusWidget(), m_login->txtLoginName);
        QVERIFY(m_login->isVisible());
        QVERIFY(!loggedIn().isVisible());
        const LoginState& state = m_session->login;
        QVERIFY(!state.UserLoggedIn && !state.UserIsReadOnly && !state.UserIsAdministrator);
        QVERIFY(state.CurrentUserFullName.isEmpty());
        QCOMPARE(m_main->windowTitle(), QStringLiteral("Help Desk KB"));
    }

    void emptyNameAsksForALoginWithoutReadingTheDatabase()
    {
        m_login->txtPassWord->setText(QStringLiteral("s3cret"));
        // A lookup would now fail with an engine error.
        m_session->db().close();
        QTest::keyClick(m_login->txtPassWord, Qt::Key_Return);

        QCOMPARE(m_dialogs->messages().size(), 1);
        const Dialogs::Message message = m_dialogs->lastMessage();
        QCOMPARE(message.text, QStringLiteral("You must login in order to continue. \n\rIf you do "
                                              "not have a login name, \n\rPlease contact your "
                                              "Administrator."));
        QCOMPARE(message.title, QStringLiteral("Login Required"));
        QVERIFY(message.buttons == Dialogs::Buttons::Ok);
        QVERIFY(message.icon == Dialogs::Icon::Warning);
        QVERIFY(!m_session->login.UserLoggedIn);
        QVERIFY(m_login->isVisible());
        QCOMPARE(m_login->txtPassWord->text(), QStringLiteral("s3cret"));
    }

    void enterPressesOk()
    {
        m_login->txtLoginName->setText(QStringLiteral("admin"));
        QTest::keyClick(m_login->txtPassWord, Qt::Key_Return);
        QVERIFY(m_session->login.UserLoggedIn);
        QVERIFY(loggedIn().isVisible());
    }

    void leavingAsksWhetherToExit_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<Dialogs::Answer>("answer");
        for (const char* how : {"Cancel", "Esc", "close box"}) {
            QTest::addRow("%s, Yes", how) << how << Dialogs::Answer::Yes;
            QTest::addRow("%s, No", how) << how << Dialogs::Answer::No;
        }
    }
    void leavingAsksWhetherToExit()
    {
        QFETCH(QString, how);
        QFETCH(Dialogs::Answer, answer);
        m_login->txtLoginName->setText(QStringLiteral("Dana"));
        m_dialogs->answerNext(answer);
        if (how == QLatin1String("Cancel"))
            m_login->cmdExit->click();
        else if (how == QLatin1String("Esc"))
            QTest::keyClick(m_login->txtLoginName, Qt::Key_Escape);
        else
            m_login->close();

        QCOMPARE(m_dialogs->messages().size(), 1);
        const Dialogs::Message message = m_dialogs->lastMessage();
        QCOMPARE(message.text, kExitQuestion);
        QCOMPARE(message.title, QStringLiteral("Confirmation"));
        QVERIFY(message.buttons == Dialogs::Buttons::YesNo);
        QVERIFY(message.icon == Dialogs::Icon::None);
        QVERIFY(message.defaultButton == Dialogs::Answer::No);
        QCOMPARE(m_dialogs->endProgramCalls(), answer == Dialogs::Answer::Yes ? 1 : 0);
        // The recording service ends nothing, so the window must have stayed as it was.
        QVERIFY(m_login->isVisible());
        QCOMPARE(m_login->txtLoginName->text(), QStringLiteral("Dana"));
        QVERIFY(!m_session->login.UserLoggedIn);
    }

    void disclaimerFlagAtLoad_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: no tavrel.ini
        QTest::addColumn<bool>("shown");
        QTest::newRow("no file") << QByteArray() << true;
        QTest::newRow("Yes") << QByteArray("[Disclaimer]\nShow Disclaimer=Yes\n") << true;
        QTest::newRow("No") << QByteArray("[Disclaimer]\nShow Disclaimer=No\n") << false;
        QTest::newRow("key and section in any case, blanks around")
            << QByteArray("[DISCLAIMER]\n  show disclaimer = No\n") << false;
        QTest::newRow("first two characters decide")
            << QByteArray("[Disclaimer]\nShow Disclaimer=Nope\n") << false;
        QTest::newRow("letter case of the value counts")
            << QByteArray("[Disclaimer]\nShow Disclaimer=no\n") << true;
        QTest::newRow("other value") << QByteArray("[Disclaimer]\nShow Disclaimer=Maybe\n") << true;
    }
    void disclaimerFlagAtLoad()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, shown);
        if (!file.isEmpty())
            m_folder->writeFile(QStringLiteral("tavrel.ini"), file);
        reopen();
        QCOMPARE(m_login->fraDisclaimer->isVisible(), shown);
        QCOMPARE(m_login->chkDoNotDisplay->isChecked(), !shown);
        if (!shown) {
            QCOMPARE(m_login->height(), frmLogin::kHeightWithoutDisclaimer);
            // Ticked at load as by a click: the flag is written again as it is now read.
            QCOMPARE(tavrel(QStringLiteral("Disclaimer"), QStringLiteral("Show Disclaimer")),
                     QStringLiteral("No"));
        }
    }

    void disclaimerBoxWritesItsState()
    {
        QVERIFY(m_login->fraDisclaimer->isVisible());
        const int fullHeight = m_login->height();
        QVERIFY(fullHeight > frmLogin::kHeightWithoutDisclaimer);

        m_login->chkDoNotDisplay->click();
        QVERIFY(!m_login->fraDisclaimer->isVisible());
        QCOMPARE(m_login->height(), frmLogin::kHeightWithoutDisclaimer);
        QCOMPARE(tavrel(QStringLiteral("Disclaimer"), QStringLiteral("Show Disclaimer")),
                 QStringLiteral("No"));
        reopen();
        QVERIFY(!m_login->fraDisclaimer->isVisible());

        m_login->chkDoNotDisplay->click();
        QVERIFY(m_login->fraDisclaimer->isVisible());
        QCOMPARE(tavrel(QStringLiteral("Disclaimer"), QStringLiteral("Show Disclaimer")),
                 QStringLiteral("Yes"));
        reopen();
        QVERIFY(m_login->fraDisclaimer->isVisible());
    }

    void rememberMeKeepsTheLastLoginName()
    {
        m_login->chkRememberMe->click();
        QCOMPARE(tavrel(QStringLiteral("RememberMe"), QStringLiteral("Remember")),
                 QStringLiteral("Yes"));
        QVERIFY(!logIn(QStringLiteral("dana"), QStringLiteral("wrong")));
        QVERIFY(tavrel(QStringLiteral("RememberMe"), QStringLiteral("LoginName")).isEmpty());
        QVERIFY(logIn(QStringLiteral("dana"), QStringLiteral("s3cret")));
        QCOMPARE(tavrel(QStringLiteral("RememberMe"), QStringLiteral("LoginName")),
                 QStringLiteral("dana"));

        reopen();
        QVERIFY(m_login->chkRememberMe->isChecked());
        QCOMPARE(m_login->txtLoginName->text(), QStringLiteral("dana"));
        QVERIFY(m_login->txtPassWord->text().isEmpty());

        m_login->chkRememberMe->click();
        QCOMPARE(tavrel(QStringLiteral("RememberMe"), QStringLiteral("Remember")),
                 QStringLiteral("No"));
        // Without the box ticked a login leaves the remembered name alone.
        QVERIFY(logIn(QStringLiteral("admin"), QString()));
        QCOMPARE(tavrel(QStringLiteral("RememberMe"), QStringLiteral("LoginName")),
                 QStringLiteral("dana"));
        reopen();
        QVERIFY(!m_login->chkRememberMe->isChecked());
        QVERIFY(m_login->txtLoginName->text().isEmpty());
    }

    void secondLoginReplacesStateAndTitles()
    {
        QVERIFY(logIn(QStringLiteral("boss"), QStringLiteral("x")));
        loggedIn().Command2->click();
        QVERIFY(logIn(QStringLiteral("reader"), QStringLiteral("look")));
        const LoginState& state = m_session->login;
        QVERIFY(state.UserIsReadOnly && !state.UserIsAdministrator);
        QCOMPARE(state.CurrentUserFullName, QStringLiteral("Rita Reader"));
        QCOMPARE(m_main->windowTitle(), QStringLiteral("(Rita Reader Logged In)"));
        QCOMPARE(loggedIn().windowTitle(), QStringLiteral("Rita Reader Logged In"));
        QCOMPARE(loggedIn().Label1->text(), QStringLiteral("User"));

        // An account without a full name: the rights change, the names stay.
        QVERIFY(logIn(QStringLiteral("anon"), QStringLiteral("a")));
        QVERIFY(!state.UserIsReadOnly);
        QCOMPARE(state.CurrentUserFullName, QStringLiteral("Rita Reader"));
        QCOMPARE(m_main->windowTitle(), QStringLiteral("(Rita Reader Logged In)"));
        QCOMPARE(loggedIn().windowTitle(), QStringLiteral("Rita Reader Logged In"));
        QCOMPARE(loggedIn().lblUser->text(), QStringLiteral("Rita Reader"));

        // Shown again, the window still holds the last login: OK at once repeats it.
        m_login->show();
        m_login->cmdLogin->click();
        QVERIFY(!m_login->isVisible());
        QVERIFY(m_dialogs->messages().isEmpty());
    }

    void loggedInWindowLeadsToTheMainWindow_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("OK") << "OK";
        QTest::newRow("Enter") << "Enter";
        QTest::newRow("close box") << "close box";
    }
    void loggedInWindowLeadsToTheMainWindow()
    {
        QFETCH(QString, how);
        QVERIFY(logIn(QStringLiteral("admin"), QString()));
        QVERIFY(!m_main->isVisible());
        if (how == QLatin1String("OK"))
            loggedIn().Command2->click();
        else if (how == QLatin1String("Enter"))
            QTest::keyClick(&loggedIn(), Qt::Key_Return);
        else
            loggedIn().close();
        QVERIFY(m_main->isVisible());
        QVERIFY(!loggedIn().isVisible());
        QVERIFY(!m_login->isVisible());
    }

    void startUpWithPasswordsOn()
    {
        TempProgramFolder folder;
        QFile sample(TestPaths::sourceDir() + QStringLiteral("/db/sample.sql"));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        folder.createDatabase(
            QString::fromUtf8(sample.readAll()) +
            QStringLiteral("UPDATE tblEnablePasswords SET EnablePasswords = -1;"));
        Program program = Main();
        QVERIFY(program.mainWindow && program.loginWindow);
        QVERIFY(program.session->login.PasswordsEnabled);
        QVERIFY(program.loginWindow->isVisible());
        QVERIFY(!program.mainWindow->isVisible());
        QCOMPARE(
            program.mainWindow->findChild<QAction*>(QStringLiteral("mnuEnablePasswords"))->text(),
            QStringLiteral("Disable Passwords"));

        program.loginWindow->txtLoginName->setText(QStringLiteral("admin"));
        program.loginWindow->cmdLogin->click();
        QVERIFY(program.session->login.UserLoggedIn);
        QVERIFY(!program.mainWindow->isVisible());
        QCOMPARE(program.mainWindow->windowTitle(), QStringLiteral("(Administrator Logged In)"));
        program.loginWindow->loggedInWindow().Command2->click();
        QVERIFY(program.mainWindow->isVisible());
        QVERIFY(m_dialogs->messages().isEmpty());
    }
};

QTEST_MAIN(TestfrmLogin)
#include "TestfrmLogin.moc"
