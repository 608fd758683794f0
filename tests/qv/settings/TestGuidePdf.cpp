#include "GuidePdf.h"
#include "TestPaths.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

int pageCount(const QString& pdfPath)
{
    QFile file(pdfPath);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(file.readAll())
                   .count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

} // namespace

// The user's guide PDF: the one the build writes, and chapters starting pages.
class TestGuidePdf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theBuiltGuideHasAPagePerChapter()
    {
        QFile source(TestPaths::sourceDir() + QStringLiteral("/docs/user-guide.md"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const int chapters = int(QString::fromUtf8(source.readAll())
                                     .count(QRegularExpression(QStringLiteral("^# "),
                                                               QRegularExpression::MultilineOption)));
        QVERIFY(chapters >= 10);
        QVERIFY(pageCount(QStringLiteral(QV_USER_GUIDE_PDF)) >= chapters);
    }

    void chaptersStartPages_data()
    {
        QTest::addColumn<QString>("markdown");
        QTest::addColumn<int>("pages");
        QTest::newRow("three chapters") << "# One\n\nText.\n\n# Two\n\n## Part\n\n# Three\n" << 3;
        QTest::newRow("sections stay on the page") << "# One\n\n## A\n\n## B\n" << 1;
        QTest::newRow("a wide picture") << "# One\n\n![wide](wide.png)\n\n# Two\n" << 2;
        QTest::newRow("a missing picture") << "# One\n\n![gone](gone.png)\n" << -1;
    }
    void chaptersStartPages()
    {
        QFETCH(QString, markdown);
        QFETCH(int, pages);
        QTemporaryDir folder;
        QImage wide(3000, 400, QImage::Format_RGB32);
        wide.fill(Qt::blue);
        QVERIFY(wide.save(folder.filePath(QStringLiteral("wide.png"))));
        const QString pdf = folder.filePath(QStringLiteral("guide.pdf"));
        QString error;
        QCOMPARE(GuidePdf::write(markdown, folder.path(), pdf, &error), pages > 0);
        QCOMPARE(pageCount(pdf), pages);
        QCOMPARE(error.isEmpty(), pages > 0);
    }
};

QTEST_MAIN(TestGuidePdf)
#include "TestGuidePdf.moc"
