#include "AccountFixture.h"
#include "ArticleFixture.h"
#include "RecordingDialogs.h"
#include "TempProgramFolder.h"
#include "profile/PrivateProfile.h"
#include "security/frmLogin.h"
#include "security/frmTest.h"
#include "startup/Session.h"
#include "text/DateText.h"

#include <QCheckBox>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>

Q_DECLARE_METATYPE(Dialogs::Answer)

namespace {
const auto account = AccountFixture::insert;
}

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

    QString tavrel(const char* section, const char* key) const
    {
        return PrivateProfile(m_folder->filePath(QStringLiteral("tavrel.ini")))
            .read(QString::fromLatin1(section), QString::fromLatin1(key));
    }

    // A new login window, as the next start of the program makes it.
    void reopen()
    {
        m_login = std::make_unique<frmLogin>(*m_session, *m_main);
        m_login->show();
    }

    // Types the name and password and presses Enter, the OK button's key.
    bool logIn(const QString& name, const QString& password)
    {
        m_login->show();
        m_login->txtLoginName->setText(name);
        m_login->txtPassWord->setText(password);
        QTest::keyClick(m_login->txtPassWord, Qt::Key_Return);
        return m_session->login.UserLoggedIn && !m_login->isVisible();
    }

    void expectOneMessage(const QString& text, const QString& title, Dialogs::Buttons buttons,
                          Dialogs::Icon icon)
    {
        QCOMPARE(m_dialogs->messages().size(), 1);
        const Dialogs::Message message = m_dialogs->lastMessage();
        QCOMPARE(message.text, text);
        QCOMPARE(message.title, title);
        QVERIFY(message.buttons == buttons && message.icon == icon);
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempProgramFolder>();
        const QString path = m_folder->createDatabase(
            ArticleFixture::sql(1) + account("admin", "", "Administrator", -1, 0) +
            account("Dana", "s3cret", "Dana Whitfield", 0, 0) +
            account("reader", "look", "Rita Reader", 0, -1) +
            account("boss", "x", "Bea Boss", 1, -1) +
            account("Jürgen", "pw", "Jürgen Brandt", 0, 0) +
            account("o'brien#1", "it's", "Pat O'Brien", 0, 0) +
            account("anon", "a", nullptr, 0, 0) +
            account(QString::fromUtf8("ivan"), QString::fromUtf8("пароль"), "Ivan", 0, 0) +
            account(QString::fromUtf8("smiley"), QString::fromUtf8("😀"), "Sam", 0, 0) +
            // Stored before characters outside Windows-1252 entered as UTF-8.
            account("legacy", "??????", "Lee Gacy", 0, 0));
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

    // Each box's caption is its buddy, so that the caption's letter reaches the box.
    void boxesHaveCaptions()
    {
        const QMap<QString, QString> captions{{"txtLoginName", "&User Name"},
                                              {"txtPassWord", "&Password "},
                                              {"txtDisclaimer", "&Disclaimer"}};
        QMap<QString, QString> found;
        for (const QLabel* label : m_login->findChildren<QLabel*>()) {
            if (label->buddy())
                found.insert(label->buddy()->objectName(), label->text());
        }
        QCOMPARE(found, captions);
    }

    // No full name: the login is refused.
    void loginSucceedsOrFails_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("administrator");
        QTest::addColumn<QString>("fullName");
        const auto row = [](const char* name, const char* password, const char* fullName,
                            bool readOnly = false, bool administrator = false) {
            QTest::addRow("%s / %s", name, password)
                << QString::fromUtf8(name) << QString::fromUtf8(password) << readOnly
                << administrator << QString::fromUtf8(fullName);
        };
        row("admin", "", "Administrator", false, true);
        row("DANA", "s3cret", "Dana Whitfield");
        row("JÜRGEN", "pw", "Jürgen Brandt");
        row("reader", "look", "Rita Reader", true);
        row("boss", "x", "Bea Boss", true, true);
        row("O'Brien#1", "it's", "Pat O'Brien");
        row("ivan", "пароль", "Ivan");
        row("ivan", "ъъъъъъ", "");
        row("ivan", "??????", "");
        row("smiley", "😀", "Sam");
        row("smiley", "😃", "");
        row("smiley", "??", "");
        row("legacy", "пароль", "Lee Gacy");
        row("legacy", "??????", "Lee Gacy");
        row("boss", "X", "");
        row("adm", "", "");
        row(" admin", "", "");
        row("' OR '1'='1", "", "");
        row("Dana", "' OR '1'='1", "");
        row("*", "", "");
    }
    void loginSucceedsOrFails()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(bool, readOnly);
        QFETCH(bool, administrator);
        QFETCH(QString, fullName);
        const QDateTime before = QDateTime::currentDateTime();
        QCOMPARE(logIn(name, password), !fullName.isEmpty());
        const QDateTime after = QDateTime::currentDateTime();
        if (fullName.isEmpty()) {
            expectOneMessage(
                QStringLiteral("Your login name or password is incorrect. If you can not "
                               "log in, contact your system administrator and have them "
                               "set up an account for you on the system."),
                QStringLiteral("Login..."), Dialogs::Buttons::Ok, Dialogs::Icon::Information);
            QVERIFY(m_login->txtLoginName->text().isEmpty() &&
                    m_login->txtPassWord->text().isEmpty());
            QCOMPARE(m_login->focusWidget(), m_login->txtLoginName);
            QVERIFY(m_login->isVisible() && !loggedIn().isVisible());
            const LoginState& state = m_session->login;
            QVERIFY(!state.UserLoggedIn && !state.UserIsReadOnly && !state.UserIsAdministrator);
            QVERIFY(state.CurrentUserFullName.isEmpty());
            QCOMPARE(m_main->windowTitle(), QStringLiteral("Help Desk KB"));
            return;
        }
        const LoginState& state = m_session->login;
        QCOMPARE(state.UserIsReadOnly, readOnly);
        QCOMPARE(state.UserIsAdministrator, administrator);
        QCOMPARE(state.CurrentUserFullName, fullName);
        QVERIFY(m_dialogs->messages().isEmpty());
        QCOMPARE(m_main->windowTitle(), "(" + fullName + " Logged In)");
        QVERIFY(!m_main->isVisible());

        QVERIFY(loggedIn().isVisible());
        QCOMPARE(loggedIn().windowTitle(), fullName + " Logged In");
        QCOMPARE(loggedIn().lblUser->text(), fullName);
        QCOMPARE(loggedIn().Label1->text(), administrator ? "Administrator" : "User");
        QCOMPARE(loggedIn().Command1->isEnabled(), administrator);
        const QString pattern = QStringLiteral("H:MM AMPM DD/MM/YYYY");
        const QString shown = loggedIn().lblLoginTime->text();
        QVERIFY2(shown == DateText::format(before, pattern) ||
                     shown == DateText::format(after, pattern),
                 qPrintable(shown));
    }

    void emptyNameAsksForALoginWithoutReadingTheDatabase()
    {
        m_session->db().close(); // a lookup would now fail with an engine error
        QVERIFY(!logIn(QString(), QStringLiteral("s3cret")));
        expectOneMessage(
            QStringLiteral("You must login in order to continue. \n\rIf you do not "
                           "have a login name, \n\rPlease contact your Administrator."),
            QStringLiteral("Login Required"), Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
        QVERIFY(m_login->isVisible());
        QCOMPARE(m_login->txtPassWord->text(), QStringLiteral("s3cret"));
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
        expectOneMessage(QStringLiteral("Exit Quorvel?"), QStringLiteral("Confirmation"),
                         Dialogs::Buttons::YesNo, Dialogs::Icon::None);
        QVERIFY(m_dialogs->lastMessage().defaultButton == Dialogs::Answer::No);
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
        QTest::newRow("No") << QByteArray("[Disclaimer]\nShow Disclaimer=No\n") << false;
        QTest::newRow("key and section in any case, blanks around")
            << QByteArray("[DISCLAIMER]\n  show disclaimer = No\n") << false;
        QTest::newRow("first two characters decide")
            << QByteArray("[Disclaimer]\nShow Disclaimer=Nope\n") << false;
        QTest::newRow("letter case of the value counts")
            << QByteArray("[Disclaimer]\nShow Disclaimer=no\n") << true;
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
            QCOMPARE(tavrel("Disclaimer", "Show Disclaimer"), QStringLiteral("No"));
        }
    }

    void disclaimerBoxWritesItsState()
    {
        QVERIFY(m_login->height() > frmLogin::kHeightWithoutDisclaimer);
        m_login->chkDoNotDisplay->click();
        QVERIFY(!m_login->fraDisclaimer->isVisible());
        QCOMPARE(m_login->height(), frmLogin::kHeightWithoutDisclaimer);
        QCOMPARE(tavrel("Disclaimer", "Show Disclaimer"), QStringLiteral("No"));
        m_login->chkDoNotDisplay->click();
        QVERIFY(m_login->fraDisclaimer->isVisible());
        QCOMPARE(tavrel("Disclaimer", "Show Disclaimer"), QStringLiteral("Yes"));
    }

    void rememberMeKeepsTheLastLoginName()
    {
        m_login->chkRememberMe->click();
        QCOMPARE(tavrel("RememberMe", "Remember"), QStringLiteral("Yes"));
        QVERIFY(!logIn(QStringLiteral("dana"), QStringLiteral("wrong")));
        QVERIFY(tavrel("RememberMe", "LoginName").isEmpty());
        QVERIFY(logIn(QStringLiteral("dana"), QStringLiteral("s3cret")));
        QCOMPARE(tavrel("RememberMe", "LoginName"), QStringLiteral("dana"));
        reopen();
        QVERIFY(m_login->chkRememberMe->isChecked());
        QCOMPARE(m_login->txtLoginName->text(), QStringLiteral("dana"));
        QVERIFY(m_login->txtPassWord->text().isEmpty());

        // Without the box ticked a login leaves the remembered name alone.
        m_login->chkRememberMe->click();
        QCOMPARE(tavrel("RememberMe", "Remember"), QStringLiteral("No"));
        QVERIFY(logIn(QStringLiteral("admin"), QString()));
        QCOMPARE(tavrel("RememberMe", "LoginName"), QStringLiteral("dana"));
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
        QVERIFY(m_main->isVisible() && !loggedIn().isVisible() && !m_login->isVisible());
    }
};

QTEST_MAIN(TestfrmLogin)
#include "TestfrmLogin.moc"
