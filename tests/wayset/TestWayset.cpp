#include "Form1.h"
#include "RecordingDialogs.h"
#include "TempProgramFolder.h"
#include "profile/Prefs.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestWayset : public QObject
{
    Q_OBJECT

private:
    static QLineEdit* pathBox(Form1& form) { return form.findChild<QLineEdit*>("Text1"); }
    static QString storedPath()
    {
        return ReadPref(QStringLiteral("General"), QStringLiteral("Path"));
    }

private Q_SLOTS:
    void windowHasItsControls()
    {
        TempProgramFolder folder;
        Form1 form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Wayset Utility"));
        auto* label = form.findChild<QLabel*>("Label1");
        QVERIFY(label);
        QCOMPARE(label->text().remove(QLatin1Char('&')), QStringLiteral("Orvane Quorvel Path:"));
        QCOMPARE(label->buddy(), pathBox(form));
        QCOMPARE(form.findChild<QPushButton*>("Command1")->text(), QStringLiteral("&OK"));
        QCOMPARE(form.findChild<QPushButton*>("Command2")->text(), QStringLiteral("&Cancel"));
        QCOMPARE(form.findChild<QAction*>("mnuExit")->text(), QStringLiteral("E&xit"));
        QCOMPARE(form.findChild<QAction*>("mnuAbout")->text(), QStringLiteral("&About"));
    }

    void loadShowsRecordedPath_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("path");
        const QString spaces = QStringLiteral("/srv/help desk/knowledge base.db");
        QTest::newRow("spaces") << spaces.toUtf8() << spaces;
        QTest::newRow("quoted by hand") << "\"" + spaces.toUtf8() + "\"" << spaces;
        const QString hundred = QStringLiteral("/") + QString(99, QLatin1Char('k'));
        QTest::newRow("100 characters") << hundred.toUtf8() << hundred;
    }
    void loadShowsRecordedPath()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, path);
        TempProgramFolder folder;
        folder.writeFile(QStringLiteral("ini/qvprefs.ini"),
                         "[UserPrefs]\nTitleBar=x\n[general]\npath=" + stored + "\n");
        Form1 form;
        QCOMPARE(pathBox(form)->text(), path);

        // OK writes back the path as shown, and it reads back the same.
        RecordingDialogs dialogs;
        form.show();
        QTest::mouseClick(form.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(storedPath(), path);
        QVERIFY(dialogs.messages().isEmpty());
        QVERIFY(!form.isVisible());
    }

    void noFileStartsEmptyAndOkCreatesIt()
    {
        TempProgramFolder folder;
        RecordingDialogs dialogs;
        Form1 form;
        QCOMPARE(pathBox(form)->text(), QString());
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        pathBox(form)->setText(QStringLiteral("/data/kb.db"));
        QTest::keyClick(pathBox(form), Qt::Key_Return);
        QCOMPARE(folder.readFile(QStringLiteral("ini/qvprefs.ini")),
                 QByteArray("[General]\nPath=/data/kb.db\n"));
        QVERIFY(!form.isVisible());
    }

    void waysOutWriteNothing()
    {
        TempProgramFolder folder;
        RecordingDialogs dialogs;
        const QByteArray before = "[General]\nPath=/old.db\n";
        folder.writeFile(QStringLiteral("ini/qvprefs.ini"), before);
        enum Way { CancelClicked, Escape, EnterOnCancel, Exit };
        for (Way way : {CancelClicked, Escape, EnterOnCancel, Exit}) {
            Form1 form;
            form.show();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            pathBox(form)->setText(QStringLiteral("/new.db"));
            auto* cancel = form.findChild<QPushButton*>("Command2");
            if (way == CancelClicked) {
                QTest::mouseClick(cancel, Qt::LeftButton);
            } else if (way == Escape) {
                QTest::keyClick(pathBox(form), Qt::Key_Escape);
            } else if (way == EnterOnCancel) {
                cancel->setFocus();
                QTest::keyClick(cancel, Qt::Key_Return);
            } else {
                form.findChild<QAction*>("mnuExit")->trigger();
                QCOMPARE(dialogs.endProgramCalls(), 1);
            }
            QVERIFY(way == Exit || !form.isVisible());
            QCOMPARE(folder.readFile(QStringLiteral("ini/qvprefs.ini")), before);
        }
    }

    void aboutBox()
    {
        TempProgramFolder folder;
        RecordingDialogs dialogs;
        Form1 form;
        form.findChild<QAction*>("mnuAbout")->trigger();
        QCOMPARE(dialogs.messages().size(), 1);
        const Dialogs::Message shown = dialogs.lastMessage();
        QCOMPARE(shown.title, QStringLiteral("Orvane Wayset Utility"));
        QCOMPARE(shown.text, QStringLiteral("Version 2.0\r\nBuild 9"));
        QVERIFY(shown.buttons == Dialogs::Buttons::Ok);
        QVERIFY(shown.icon == Dialogs::Icon::None);
    }

    void failedWriteIsReportedAndKeepsTheText()
    {
        TempProgramFolder folder;
        QDir(folder.path()).rmdir(QStringLiteral("ini"));
        RecordingDialogs dialogs;
        Form1 form;
        form.show();
        pathBox(form)->setText(QStringLiteral("/typed.db"));
        QTest::mouseClick(form.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.lastMessage().text,
                 QStringLiteral("The database path could not be saved to ") +
                     QDir::toNativeSeparators(folder.filePath(QStringLiteral("Ini/qvprefs.ini"))) +
                     QStringLiteral("."));
        QCOMPARE(dialogs.lastMessage().title, QStringLiteral("Wayset Utility"));
        QVERIFY(form.isVisible());
        QCOMPARE(pathBox(form)->text(), QStringLiteral("/typed.db"));
    }
};

QTEST_MAIN(TestWayset)
#include "TestWayset.moc"
