#include "editor/SearchMarks.h"

#include <QTest>
#include <QTextDocument>

class TestSearchMarks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Marked as "start-end" places in the text, in the order found.
    void marks_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("places");
        QTest::newRow("every place, any case") << "*jam*" << QStringList{"6-9", "29-32"};
        QTest::newRow("each run between stars") << "*jam*TRAY*" << QStringList{"6-9", "29-32", "13-17"};
        QTest::newRow("no stars") << "paper" << QStringList{"0-5", "23-28"};
        QTest::newRow("nothing to mark") << "" << QStringList{};
        QTest::newRow("no match") << "*toner*" << QStringList{};
    }
    void marks()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, places);
        QTextDocument document(QStringLiteral("Paper JAM in tray.\nOld paper jam again."));
        QStringList found;
        for (const QTextEdit::ExtraSelection& mark : SearchMarks::find(&document, pattern))
            found.append(QStringLiteral("%1-%2").arg(mark.cursor.selectionStart()).arg(
                mark.cursor.selectionEnd()));
        QCOMPARE(found, places);
    }

    void aLongDocumentIsMarkedOnlyAtItsStart()
    {
        QTextDocument document(QStringLiteral("jam ").repeated(SearchMarks::kMostMarks + 50));
        QCOMPARE(SearchMarks::find(&document, QStringLiteral("jam")).size(),
                 SearchMarks::kMostMarks);
    }
};

QTEST_MAIN(TestSearchMarks)
#include "TestSearchMarks.moc"
