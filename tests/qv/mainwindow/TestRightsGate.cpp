#include "RecordingDialogs.h"
#include "mainwindow/RightsGate.h"

#include <QTest>

class TestRightsGate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void gate_data()
    {
        QTest::addColumn<bool>("passwordsEnabled");
        QTest::addColumn<bool>("loggedIn");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("refusal");

        const QString notLoggedIn = QStringLiteral("User not logged in. Please login before continuing.");
        const QString readOnly = QStringLiteral("Can't save. The current user rights are set to read only.");
        QTest::newRow("passwords off, nobody logged in") << false << false << false << QString();
        QTest::newRow("passwords on, nobody logged in") << true << false << false << notLoggedIn;
        QTest::newRow("passwords on, read-only flag without login")
            << true << false << true << notLoggedIn;
        QTest::newRow("passwords on, full user") << true << true << false << QString();
        QTest::newRow("passwords on, read-only user") << true << true << true << readOnly;
        QTest::newRow("read-only user after passwords were switched off")
            << false << true << true << readOnly;
        QTest::newRow("full user after passwords were switched off")
            << false << true << false << QString();
    }
    void gate()
    {
        QFETCH(bool, passwordsEnabled);
        QFETCH(bool, loggedIn);
        QFETCH(bool, readOnly);
        QFETCH(QString, refusal);
        LoginState login;
        login.PasswordsEnabled = passwordsEnabled;
        login.UserLoggedIn = loggedIn;
        login.UserIsReadOnly = readOnly;
        const QString message =
            QStringLiteral("Can't save. The current user rights are set to read only.");

        RecordingDialogs dialogs;
        QCOMPARE(RightsGate::allows(login, message), refusal.isEmpty());
        if (refusal.isEmpty()) {
            QVERIFY(dialogs.messages().isEmpty());
        } else {
            QCOMPARE(dialogs.messages().size(), 1);
            QCOMPARE(dialogs.lastMessage().text, refusal);
            QCOMPARE(dialogs.lastMessage().title, QStringLiteral("Quorvel"));
            QVERIFY(dialogs.lastMessage().buttons == Dialogs::Buttons::Ok);
        }
    }
};

QTEST_GUILESS_MAIN(TestRightsGate)
#include "TestRightsGate.moc"
