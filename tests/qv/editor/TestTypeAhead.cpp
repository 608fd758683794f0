#include "editor/TypeAhead.h"

#include <QTest>

class TestTypeAhead : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameLetterMovesOnAndSkipsLowerCase()
    {
        const QStringList authors = {QStringLiteral("Smith"), QStringLiteral("sam"),
                                     QStringLiteral("Stone")};
        TypeAhead typeAhead;
        QCOMPARE(typeAhead.complete(authors, QStringLiteral("s")), QStringLiteral("Smith"));
        QCOMPARE(typeAhead.complete(authors, QStringLiteral("s")), QStringLiteral("Stone"));
        // Round again past the end: back to Smith, never sam.
        QCOMPARE(typeAhead.complete(authors, QStringLiteral("s")), QStringLiteral("Smith"));
    }

    void noCompletion_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("two characters") << QStringLiteral("sm");
        QTest::newRow("empty") << QString();
        QTest::newRow("no item with that letter") << QStringLiteral("x");
    }
    void noCompletion()
    {
        QFETCH(QString, typed);
        TypeAhead typeAhead;
        const QStringList items = {QStringLiteral("Network"), QStringLiteral("Printing")};
        QCOMPARE(typeAhead.complete(items, typed), std::nullopt);
        // A miss that walked the whole list leaves the cursor where it started.
        QCOMPARE(typeAhead.cursor(), 0);
    }

    void emptyListFindsNothing()
    {
        TypeAhead typeAhead;
        QCOMPARE(typeAhead.complete({}, QStringLiteral("a")), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestTypeAhead)
#include "TestTypeAhead.moc"
