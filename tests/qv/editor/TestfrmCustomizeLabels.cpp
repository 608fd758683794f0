#include "WindowTest.h"
#include "editor/frmCustomizeLabels.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QSet>

// The labels dialog, opened from the main window on a database of one article.
class TestfrmCustomizeLabels : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningQuorvel> m_quorvel;
    const QStringList m_fixture = {
        "Article No:", "Area:", "Written By:", "Heading:", "Symptom:", "Fix:"};

    frmCustomizeLabels* open()
    {
        m_quorvel->trigger("mnuLabels");
        return m_quorvel->main().findChild<frmCustomizeLabels*>();
    }
    QStringList stored()
    {
        return SqlScript::rows(m_quorvel->database(), "SELECT Labels FROM Customize ORDER BY ID");
    }
    QString categoryCaption()
    {
        return m_quorvel->display().findChild<QLabel*>("lbCUName")->text().remove(QLatin1Char('&'));
    }
    void start(const QString& extraSql = {})
    {
        m_quorvel = std::make_unique<RunningQuorvel>(1, extraSql);
        QVERIFY(m_quorvel->start());
    }

private Q_SLOTS:
    void cleanup() { m_quorvel.reset(); }

    void okStoresAndShowsAtOnceAndAfterRestart()
    {
        start();
        frmCustomizeLabels* labels = open();
        QVERIFY(labels && labels->isVisible());
        QCOMPARE(labels->Text2->text(), QStringLiteral("Area:"));
        labels->Text2->setText(QStringLiteral("Region:"));
        labels->Text7->setPlainText(QStringLiteral("Disclaimer typed here"));
        labels->Command1->click();
        QVERIFY(!labels->isVisible());
        QStringList expected = m_fixture;
        expected[1] = QStringLiteral("Region:");
        QCOMPARE(stored(), expected);
        QCOMPARE(categoryCaption(), QStringLiteral("Region:"));

        m_quorvel->program() = Program();
        QVERIFY(m_quorvel->start());
        QCOMPARE(categoryCaption(), QStringLiteral("Region:"));
    }

    // Cancel writes nothing, and the dialog shows again what it held, not the table.
    void resetThenCancelWritesNothing()
    {
        start();
        frmCustomizeLabels* labels = open();
        labels->Command3->click();
        labels->Command2->click();
        QVERIFY(!labels->isVisible());
        QCOMPARE(stored(), m_fixture);
        QCOMPARE(categoryCaption(), QStringLiteral("Area:"));
        QCOMPARE(open(), labels);
        QCOMPARE(labels->Text1->text(), QStringLiteral("QV Number:"));
        QCOMPARE(labels->Text6->text(), QStringLiteral("Solution:"));
    }

    void refusedWriteIsReported_data()
    {
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<QString>("reason");
        QTest::newRow("five rows") << "DELETE FROM Customize WHERE ID = 6;"
                                   << "Either BOF or EOF is True";
        QTest::newRow("write refused") << "CREATE TRIGGER locked BEFORE UPDATE ON Customize BEGIN "
                                          "SELECT RAISE(ABORT, 'labels are locked'); END;"
                                       << "labels are locked";
    }
    void refusedWriteIsReported()
    {
        QFETCH(QString, extraSql);
        QFETCH(QString, reason);
        start(extraSql);
        const QStringList before = stored();
        frmCustomizeLabels* labels = open();
        labels->Text2->setText(QStringLiteral("Region:"));
        labels->Command1->click();
        const auto message = m_quorvel->dialogs().lastMessage();
        QVERIFY2(message.text.startsWith(QStringLiteral("The labels could not be saved. ")) &&
                     message.text.contains(reason),
                 qPrintable(message.text));
        QCOMPARE(message.title, QStringLiteral("Quorvel"));
        QCOMPARE(stored(), before);
        QCOMPARE(categoryCaption(), QStringLiteral("Area:"));
        QVERIFY(labels->isVisible());
        QCOMPARE(labels->Text2->text(), QStringLiteral("Region:"));
    }

    // A renamed caption never takes the Alt+letter of another control of the article window.
    void renamedCaptionsKeepAltLettersApart()
    {
        start();
        frmCustomizeLabels* labels = open();
        for (QLineEdit* box : {labels->Text1, labels->Text2, labels->Text3})
            box->setText(QStringLiteral("Date Edited:"));
        labels->Command1->click();
        QStringList letters;
        for (QWidget* control : m_quorvel->display().findChildren<QWidget*>()) {
            const QString text = control->property("text").toString();
            const qsizetype mark = text.indexOf(QLatin1Char('&'));
            if (mark >= 0 &&
                (qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control)))
                letters << text.mid(mark + 1, 1).toLower();
        }
        QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), letters.size());
    }
};

QTEST_MAIN(TestfrmCustomizeLabels)
#include "TestfrmCustomizeLabels.moc"
