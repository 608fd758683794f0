#include "AccountFixture.h"
#include "WindowTest.h"
#include "security/Accounts.h"
#include "security/PasswordSwitch.h"
#include "security/frmLogin.h"
#include "security/frmNewPassword.h"
#include "security/frmSetupUsersForPasswords.h"
#include "security/frmTest.h"
#include "security/mdlEncrypt.h"

#include <QListWidget>

Q_DECLARE_METATYPE(Dialogs::Icon)

namespace {
const QString kSelectAccount =
    QStringLiteral("Please select a user from the list of User Names before continuing.");
} // namespace

// The Passwords submenu, and the account window with its change-password dialog reached
// from it as an administrator does: Setup Users For Passwords, a login, Setup Users.
class TestfrmSetupUsersForPasswords : public QObject
{
    Q_OBJECT

    std::unique_ptr<RunningQuorvel> m_quorvel;
    frmSetupUsersForPasswords* m_window = nullptr;

    Session& session() { return *m_quorvel->program().session; }
    Accounts accounts() { return Accounts(session().db()); }
    RecordingDialogs& dialogs() { return m_quorvel->dialogs(); }
    frmLogin& login() { return m_quorvel->main().loginWindow(); }

    bool openAccountWindow()
    {
        m_quorvel->trigger("mnuPassSetup");
        login().txtLoginName->setText(QStringLiteral("boss"));
        login().txtPassWord->setText(QStringLiteral("x"));
        login().cmdLogin->click();
        login().loggedInWindow().Command1->click();
        m_window = login().loggedInWindow().accountWindow();
        dialogs().clear();
        return m_window && m_window->isVisible() && !login().loggedInWindow().isVisible() &&
               m_window->lstUsers->count() == 6 && !m_window->cmdAddNew->isEnabled() &&
               !m_window->Command1->isEnabled();
    }
    void select(const QString& name)
    {
        const QList<QListWidgetItem*> items = m_window->lstUsers->findItems(name, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        m_window->lstUsers->setCurrentItem(items.first());
    }
    void expectMessage(const QString& text, const QString& title, Dialogs::Icon icon)
    {
        QCOMPARE(dialogs().texts(), QStringList{text});
        QCOMPARE(dialogs().lastMessage().title, title);
        QVERIFY(dialogs().lastMessage().icon == icon);
    }
    bool detailsEmptied() const
    {
        return m_window->Text1->text().isEmpty() && m_window->Text2->text().isEmpty() &&
               m_window->Text3->text().isEmpty() && !m_window->Check1->isChecked();
    }

private Q_SLOTS:
    void init()
    {
        m_quorvel = std::make_unique<RunningQuorvel>(
            1, AccountFixture::insert("admin", "", "Administrator", -1) +
                   AccountFixture::insert("boss", "x", "Bea Boss", -1) +
                   AccountFixture::insert("Dana", "s3cret", "Dana Whitfield") +
                   AccountFixture::insert("Admin", "A", "Other Admin") +
                   AccountFixture::insert("reader", "look", "Rita Reader", 0, -1) +
                   // Stored before characters outside Windows-1252 entered as UTF-8: the
                   // form of "пароль".
                   AccountFixture::insert("legacy", "??????", "Lee Gacy"));
        QVERIFY(m_quorvel->start());
    }
    void cleanup() { m_quorvel.reset(); }

    // Open to anyone while passwords are off and nobody logged in; the caption carries the
    // state within the run, the table to the next start.
    void switchTwiceInARun()
    {
        QAction* item = m_quorvel->main().findChild<QAction*>(QStringLiteral("mnuEnablePasswords"));
        for (const bool on : {true, false, true}) {
            dialogs().clear();
            item->trigger();
            expectMessage(on ? "Passwords Enabled." : "Passwords disabled.", "Quorvel",
                          Dialogs::Icon::None);
            QCOMPARE(item->text(), on ? "Disable Passwords" : "Enable Passwords");
            QCOMPARE(PasswordSwitch::isOn(session().db()), on);
            QVERIFY(!session().login.PasswordsEnabled);
        }
        QVERIFY(m_quorvel->start());
        QVERIFY(login().isVisible() && !m_quorvel->main().isVisible());
        QCOMPARE(m_quorvel->main().findChild<QAction*>("mnuEnablePasswords")->text(),
                 QStringLiteral("Disable Passwords"));
    }

    // Add New, or Edit of the selected "Dana" with the switch ticked: a name another account
    // holds in any letter case is refused, and an edit refused writes nothing and keeps what
    // was typed.
    void saveDetails_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("add read-only") << true << "newbie" << true << true;
        QTest::newRow("add with an apostrophe") << true << "o'brien" << false << true;
        QTest::newRow("add another's name in other case") << true << "DANA" << false << false;
        QTest::newRow("edit to a new name") << false << "d'Ana" << true << true;
        QTest::newRow("edit to its own name in other case") << false << "DANA" << true << true;
        QTest::newRow("edit to another's name in other case") << false << "READER" << true << false;
    }
    void saveDetails()
    {
        QFETCH(bool, adding);
        QFETCH(QString, name);
        QFETCH(bool, readOnly);
        QFETCH(bool, accepted);
        QVERIFY(openAccountWindow());
        if (!adding) {
            select(QStringLiteral("Dana"));
            QCOMPARE(m_window->Text2->text(), mdlEncrypt::ScramblePassword("s3cret", "s3cret"));
            m_window->Check2->setChecked(true);
        } else {
            m_window->Text2->setText(QStringLiteral("pw"));
        }
        m_window->Text1->setText(name);
        m_window->Text3->setText(QStringLiteral("New Person"));
        m_window->Check1->setChecked(true);
        m_window->chkReadOnly->setChecked(readOnly);
        (adding ? m_window->cmdAddNew : m_window->cmdEdit)->click();

        // An edit keeps the password and stores the switch.
        const std::optional<Account> account = accounts().logIn(name, adding ? "pw" : "s3cret");
        QCOMPARE(account && account->loginName == name && account->administrator &&
                     account->readOnly == readOnly && account->fullName == "New Person",
                 accepted);
        QCOMPARE(accounts().names().size(), adding && accepted ? 7 : 6);
        if (!adding)
            QCOMPARE(PasswordSwitch::isOn(session().db()), accepted);
        if (!accepted) {
            expectMessage("This user name already exists. Please select a unique user name.",
                          "Account Already Exists...", Dialogs::Icon::Information);
            QCOMPARE(m_window->Text1->text(), adding ? QString() : name);
            return;
        }
        if (adding)
            expectMessage("The User New Person has been added.", "New User Added",
                          Dialogs::Icon::Information);
        else
            expectMessage("The details for New Person have been changed.", "Details Changed",
                          Dialogs::Icon::Information);
        QCOMPARE(m_window->lstUsers->item(adding ? 6 : 2)->text(), name);
        QVERIFY(detailsEmptied());
        QVERIFY(!m_window->cmdAddNew->isEnabled());
    }

    // Protected while selected: "admin" exactly, and only until another entry is chosen.
    void adminProtectionFollowsTheSelection_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("admin") << "admin";
        QTest::newRow("Admin") << "Admin";
        QTest::newRow("Dana") << "Dana";
    }
    void adminProtectionFollowsTheSelection()
    {
        QFETCH(QString, name);
        QVERIFY(openAccountWindow());
        select(QStringLiteral("admin"));
        select(name);
        const bool changeable = name != QLatin1String("admin");
        for (QWidget* control :
             QList<QWidget*>{m_window->Check1, m_window->chkReadOnly, m_window->cmdDelete,
                             m_window->Text1, m_window->cmdEdit})
            QCOMPARE(control->isEnabled(), changeable);
        QVERIFY(m_window->Command1->isEnabled());
        // Each entry shows its own account, also beside one differing only in case.
        QCOMPARE(m_window->Text1->text(), name);
    }

    void commandsNeedASelection_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<Dialogs::Icon>("icon");
        QTest::newRow("Edit") << "cmdEdit"
                              << "Please select a user from a list at the left before you continue."
                              << "Error" << Dialogs::Icon::Critical;
        QTest::newRow("Delete") << "cmdDelete"
                                << "Please select a user from the list before continuing."
                                << "Quorvel" << Dialogs::Icon::Critical;
        QTest::newRow("Setup Password")
            << "Command1" << kSelectAccount << "Quorvel" << Dialogs::Icon::None;
    }
    void commandsNeedASelection()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(Dialogs::Icon, icon);
        QVERIFY(openAccountWindow());
        select(QStringLiteral("Dana"));
        m_window->UpdateList();
        m_window->findChild<QPushButton*>(button)->click();
        expectMessage(text, title, icon);
        QCOMPARE(accounts().names().size(), 6);
        QVERIFY(!m_window->newPasswordWindow());
    }

    void deletingTheLoggedInAccountIsAllowed()
    {
        QVERIFY(openAccountWindow());
        select(QStringLiteral("boss"));
        m_window->cmdDelete->click();
        expectMessage(QStringLiteral("The User Bea Boss has been deleted. "),
                      QStringLiteral("Quorvel"), Dialogs::Icon::Information);
        QVERIFY(!accounts().find(QStringLiteral("boss")));
        QVERIFY(m_window->lstUsers->findItems("boss", Qt::MatchExactly).isEmpty());
        QVERIFY(session().login.UserLoggedIn && session().login.UserIsAdministrator);
        QVERIFY(detailsEmptied());
        // The emptied name box counts as a change.
        QVERIFY(m_window->cmdAddNew->isEnabled());
    }

    // Any new password replaces the form the account's password was stored in before UTF-8.
    void newPassword_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<bool>("listReloaded");
        QTest::addColumn<QString>("message");
        const QString changed = QStringLiteral("Password changed.");
        QTest::newRow("empty") << "" << "" << false << changed;
        QTest::newRow("outside Windows-1252") << "пароль" << "пароль" << false << changed;
        QTest::newRow("letter case differs")
            << "Secret" << "secret" << false << "Passwords differ. Please try again.";
        QTest::newRow("selection gone") << "new" << "new" << true << kSelectAccount;
    }
    void newPassword()
    {
        QFETCH(QString, password);
        QFETCH(QString, confirmation);
        QFETCH(bool, listReloaded);
        QFETCH(QString, message);
        QVERIFY(openAccountWindow());
        select(QStringLiteral("legacy"));
        m_window->Command1->click();
        frmNewPassword* dialog = m_window->newPasswordWindow();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Lee Gacy"));
        if (listReloaded)
            m_window->UpdateList();
        dialog->Text1->setText(password);
        dialog->Text2->setText(confirmation);
        dialog->Command1->click();
        expectMessage(message, QStringLiteral("Quorvel"), Dialogs::Icon::None);
        const bool accepted = message == QLatin1String("Password changed.");
        QCOMPARE(dialog->isVisible(), !accepted);
        QCOMPARE(dialog->Text1->text().isEmpty(), accepted);
        QCOMPARE(accounts().logIn("legacy", password).has_value(), accepted);
        QCOMPARE(accounts().logIn("legacy", "??????").has_value(), !accepted);
    }
};

QTEST_MAIN(TestfrmSetupUsersForPasswords)
#include "TestfrmSetupUsersForPasswords.moc"
