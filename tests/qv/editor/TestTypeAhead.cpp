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

QTEST_GUILESS_MAIN(TestTypeAhead)
#include "TestTypeAhead.moc"
