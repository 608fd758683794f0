#include "WindowTest.h"
#include "db/Connection.h"
#include "richtext/RtfReader.h"

#include <QSignalSpy>

namespace {

// A first article whose Problem is read in the background and is past the length warning's
// limit: paragraphs of 99 letters (100 characters with the paragraph end).
QString longProblem()
{
    const int paragraphs = int(frmDisplay::kLengthWarningLimit / 100) + 10;
    return QStringLiteral("{\\rtf1\\ansi\\pard ") +
           (QString(99, QLatin1Char('p')) + QStringLiteral("\\par ")).repeated(paragraphs) +
           QLatin1Char('}');
}

} // namespace

// The article window with an article too long to read before it is shown.
class TestLongArticle : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningQuorvel> m_quorvel;
    QString m_problem;

    RichTextBox& problemBox() { return *m_quorvel->display().txtNote; }

private Q_SLOTS:
    void init()
    {
        m_problem = longProblem();
        m_quorvel = std::make_unique<RunningQuorvel>(
            2, QStringLiteral("UPDATE QV SET Problem = '%1' WHERE Id = 1;").arg(m_problem));
        QVERIFY(m_quorvel->start());
        QVERIFY(problemBox().isLoading());
    }
    void cleanup() { m_quorvel.reset(); }

    void lengthWarningOnceTheWholeArticleIsIn()
    {
        QCOMPARE(m_quorvel->display().lblWarning->text(), QString());
        QSignalSpy finished(&problemBox(), &RichTextBox::loadFinished);
        QVERIFY(finished.wait(20000));
        QVERIFY(!m_quorvel->display().lblWarning->text().isEmpty());
    }

    void saveBeforeTheWholeArticleIsInStoresItWhole()
    {
        m_quorvel->trigger("mnuSave");
        QCOMPARE(m_quorvel->dialogs().lastMessage().text, QStringLiteral("Article successfully saved."));
        Connection other;
        other.open(m_quorvel->database());
        Recordset row;
        row.open(other, QStringLiteral("SELECT * FROM QV WHERE Id = 1"));
        const QString plain = RtfReader::plainText(m_problem);
        QCOMPARE(RtfReader::plainText(row.value(QStringLiteral("Problem")).toString()), plain);
        QCOMPARE(row.value(QStringLiteral("ProblemText")).toString(), plain);
    }
};

QTEST_MAIN(TestLongArticle)
#include "TestLongArticle.moc"
