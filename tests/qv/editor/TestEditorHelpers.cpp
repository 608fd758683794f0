#include "editor/SearchMarks.h"
#include "editor/TypeAhead.h"

#include <QTest>
#include <QTextDocument>

// What the article window marks and completes as the user types.
class TestEditorHelpers : public QObject
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

    void noCompletion_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("typed");
        const QStringList items = {QStringLiteral("Network"), QStringLiteral("Printing")};
        QTest::newRow("two characters") << items << QStringLiteral("ne");
        QTest::newRow("empty") << items << QString();
        QTest::newRow("no item with that letter") << items << QStringLiteral("x");
        QTest::newRow("empty list") << QStringList() << QStringLiteral("n");
    }
    void noCompletion()
    {
        QFETCH(QStringList, items);
        QFETCH(QString, typed);
        TypeAhead typeAhead;
        QCOMPARE(typeAhead.complete(items, typed), std::nullopt);
        // A miss that walked the whole list leaves the cursor where it started.
        QCOMPARE(typeAhead.cursor(), 0);
    }
};

QTEST_MAIN(TestEditorHelpers)
#include "TestEditorHelpers.moc"
