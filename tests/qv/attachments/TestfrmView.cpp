#include "RecordingDialogs.h"
#include "RecordingShell.h"
#include "TempProgramFolder.h"
#include "attachments/PictureArea.h"
#include "attachments/ViewAttachment.h"
#include "attachments/frmView.h"
#include "profile/Prefs.h"

#include <QImage>
#include <QPushButton>
#include <QTest>

namespace {
const QString kNotFound = QStringLiteral("The file could not be found or displayed. Check the "
                                         "location of the file or try a different file.");
}

// Viewing an attachment: the viewer or the desktop's program by the preference and the
// file, the not-found message, and the one viewer with its growing caption.
class TestfrmView : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<RecordingDialogs> m_dialogs;
    std::unique_ptr<RecordingShell> m_shell;

    void writePicture(const QString& relative)
    {
        m_folder->writeFile(relative, QByteArray());
        QVERIFY(QImage(40, 20, QImage::Format_RGB32).save(m_folder->filePath(relative), "PNG"));
    }
    QString full(const QString& relative) { return m_folder->filePath(relative); }
    QString viewerCaption()
    {
        return frmView::current() ? frmView::current()->windowTitle() : QString();
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempProgramFolder>();
        m_dialogs = std::make_unique<RecordingDialogs>();
        m_shell = std::make_unique<RecordingShell>();
        writePicture(QStringLiteral("pics/screen shot.png"));
        writePicture(QStringLiteral("pics/.hidden.png"));
        m_folder->writeFile(QStringLiteral("manual.pdf"), "%PDF-1.4\n%%EOF\n");
    }
    void cleanup()
    {
        delete frmView::current();
        m_shell.reset();
        m_dialogs.reset();
        m_folder.reset();
    }

    // "viewer": shown in the viewer; "shell": the absolute path handed to the desktop;
    // "missing": the not-found message. A slot marked "@" is the folder's absolute path.
    void viewsByPreferenceAndFile_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QString>("preference");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QString>("path");
        const QString picture = QStringLiteral("pics/screen shot.png");
        const auto row = [](const char* name, const QString& slot, const char* preference,
                            const char* outcome, const QString& path) {
            QTest::newRow(name) << slot << QString::fromLatin1(preference)
                                << QString::fromLatin1(outcome) << path;
        };
        row("picture, preference 1", QStringLiteral("@") + picture, "1", "viewer", picture);
        row("picture, preference 1.0", QStringLiteral("@") + picture, "1.0", "viewer", picture);
        row("picture, preference 0", QStringLiteral("@") + picture, "0", "shell", picture);
        row("picture, no preference", QStringLiteral("@") + picture, "", "shell", picture);
        row("picture, preference not a number", QStringLiteral("@") + picture, "yes", "shell",
            picture);
        row("PDF, preference 1", QStringLiteral("@manual.pdf"), "1", "shell",
            QStringLiteral("manual.pdf"));
        row("relative picture", picture, "1", "viewer", picture);
        row("relative PDF", QStringLiteral("manual.pdf"), "0", "shell",
            QStringLiteral("manual.pdf"));
        row("missing file", QStringLiteral("@pics/none.png"), "1", "missing", QString());
        row("empty slot", QStringLiteral("N/A"), "1", "missing", QString());
        row("folder", QStringLiteral("@pics"), "0", "missing", QString());
        row("hidden file", QStringLiteral("@pics/.hidden.png"), "1", "missing", QString());
    }
    void viewsByPreferenceAndFile()
    {
        QFETCH(QString, slot);
        QFETCH(QString, preference);
        QFETCH(QString, outcome);
        QFETCH(QString, path);
        if (slot.startsWith(QLatin1Char('@')))
            slot = full(slot.mid(1));
        WritePref(QStringLiteral("UserPrefs"), QStringLiteral("UseViewerForImages"), preference);

        ViewAttachment(slot, nullptr);

        QCOMPARE(viewerCaption(), outcome == QLatin1String("viewer")
                                      ? frmView::kDesignCaption + QStringLiteral(" - ") + slot
                                      : QString());
        QCOMPARE(frmView::current() && frmView::current()->isVisible(),
                 outcome == QLatin1String("viewer"));
        QCOMPARE(m_shell->launches().size(), outcome == QLatin1String("shell") ? 1 : 0);
        if (outcome == QLatin1String("shell"))
            QCOMPARE(m_shell->launches().front().target, full(path));
        QCOMPARE(m_dialogs->messages().size(), outcome == QLatin1String("missing") ? 1 : 0);
        if (outcome == QLatin1String("missing"))
            QCOMPARE(m_dialogs->lastMessage().text, kNotFound);
    }

    // Each view adds its path to the caption; however the viewer closes, the next view
    // starts again from the design caption.
    void captionGrowsUntilTheViewerCloses_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Escape") << 0;
        QTest::newRow("Enter") << 1;
        QTest::newRow("Close button") << 2;
        QTest::newRow("close box") << 3;
    }
    void captionGrowsUntilTheViewerCloses()
    {
        QFETCH(int, how);
        writePicture(QStringLiteral("two.png"));
        WritePref(QStringLiteral("UserPrefs"), QStringLiteral("UseViewerForImages"),
                  QStringLiteral("1"));
        const QString one = full(QStringLiteral("pics/screen shot.png"));
        const QString two = full(QStringLiteral("two.png"));
        ViewAttachment(one, nullptr);
        ViewAttachment(two, nullptr);
        QCOMPARE(viewerCaption(), frmView::kDesignCaption + QStringLiteral(" - ") + one +
                                      QStringLiteral(" - ") + two);

        QPointer<frmView> viewer = frmView::current();
        if (how == 0 || how == 1)
            QTest::keyClick(viewer, how == 0 ? Qt::Key_Escape : Qt::Key_Return);
        else if (how == 2)
            viewer->Command1->click();
        else
            viewer->close();
        QVERIFY(!viewer->isVisible());
        QCOMPARE(frmView::current(), nullptr);
        QTRY_VERIFY(viewer.isNull());

        ViewAttachment(two, nullptr);
        QCOMPARE(viewerCaption(), frmView::kDesignCaption + QStringLiteral(" - ") + two);
    }

    void pictureFitsTheAreaNeverEnlarged_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QSize>("drawn");
        QTest::newRow("smaller: own size") << QSize(100, 50) << QSize(400, 400) << QSize(100, 50);
        QTest::newRow("too wide") << QSize(800, 400) << QSize(400, 400) << QSize(400, 200);
        QTest::newRow("too tall") << QSize(400, 800) << QSize(400, 300) << QSize(150, 300);
    }
    void pictureFitsTheAreaNeverEnlarged()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, area);
        QFETCH(QSize, drawn);
        QCOMPARE(PictureArea::fittedSize(picture, area), drawn);
    }
};

QTEST_MAIN(TestfrmView)
#include "TestfrmView.moc"
