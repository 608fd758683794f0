#include "WindowTest.h"
#include "attachments/PictureArea.h"
#include "attachments/frmImages.h"
#include "attachments/frmView.h"

#include <QApplication>
#include <QMimeData>
#include <QUrl>

namespace {

// Slot texts by letter: E an empty slot, n the lower-case "n/a", X a taken slot, L a path of
// 600 characters, any other letter the file of that name.
QString slotText(QChar code)
{
    switch (code.unicode()) {
    case 'E':
        return QStringLiteral("N/A");
    case 'n':
        return QStringLiteral("n/a");
    case 'X':
        return QStringLiteral("/srv/kb/taken.png");
    case 'L':
        return QLatin1Char('/') + QString(600, QLatin1Char('p'));
    default:
        return QStringLiteral("/home/pat/file %1.pdf").arg(code);
    }
}

} // namespace

// The attachments window of article 5 (the last of five), opened by the article window's
// button after a save: its slots, file drops, the write-back on every close and viewing.
class TestfrmImages : public QObject
{
    Q_OBJECT

    std::unique_ptr<RunningQuorvel> m_quorvel;
    QPointer<frmImages> m_images;

    void open()
    {
        m_quorvel->display().findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        m_images = m_quorvel->main().findChild<frmImages*>();
        QVERIFY(m_images);
    }
    // The slots' texts, or those of the letters, joined by "|".
    QString shown(const QString& codes = QString())
    {
        QStringList texts;
        for (int n = 0; n < frmImages::kSlots; ++n)
            texts << (codes.isEmpty() ? m_images->slot(n + 1)->text() : slotText(codes.at(n)));
        return texts.join(QLatin1Char('|'));
    }
    // Drags the files of the letters from a file manager offering copy or move, and drops them.
    static void dropFiles(QWidget* target, const QString& codes)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (QChar code : codes)
            urls << QUrl::fromLocalFile(slotText(code));
        data.setUrls(urls);
        QDragEnterEvent enter({5, 5}, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop({5, 5}, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
        QCOMPARE(drop.dropAction(), Qt::CopyAction);
        QCoreApplication::processEvents();
    }
    QString stored(int slot)
    {
        return SqlScript::rows(m_quorvel->database(),
                               QStringLiteral("SELECT Image%1 FROM QV WHERE Id = 5").arg(slot))
            .value(0);
    }
    // Views the slot's text with the preference; the viewer's caption ("" when none).
    QString view(const QString& text, const QString& preference)
    {
        WritePref(QStringLiteral("UserPrefs"), QStringLiteral("UseViewerForImages"), preference);
        m_images->slot(1)->setText(text);
        m_images->findChild<QPushButton*>(QStringLiteral("cmdView1"))->click();
        frmView* viewer = frmView::current();
        return viewer && viewer->isVisible() ? viewer->windowTitle() : QString();
    }

private Q_SLOTS:
    void init()
    {
        m_quorvel = std::make_unique<RunningQuorvel>(5);
        // Image10 holds nothing at all.
        QVERIFY(SqlScript::run(m_quorvel->database(),
                               "UPDATE QV SET Image1 = '" + slotText(QLatin1Char('X')) +
                                   "', Image2 = 'N/A', Image3 = 'N/A', Image4 = 'N/A', Image5 = "
                                   "'N/A', Image6 = 'N/A', Image7 = 'N/A', Image8 = 'N/A', "
                                   "Image9 = 'N/A' WHERE Id = 5;"));
        QVERIFY(m_quorvel->start());
        m_quorvel->main().show();
        m_quorvel->trigger("mnuLast");
        m_quorvel->trigger("mnuSave");
        open();
        m_quorvel->dialogs().clear();
    }
    void cleanup()
    {
        delete frmView::current();
        delete m_images;
        m_quorvel.reset();
    }

    // Each entry of `drops` is one drop of the files of those letters.
    void dropsFillEmptySlots_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("drops");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("refused");
        const auto row = [](const char* name, const char* before, const char* target,
                            const QStringList& drops, const char* after, bool refused) {
            QTest::newRow(name) << QString::fromLatin1(before) << QString::fromLatin1(target)
                                << drops << QString::fromLatin1(after) << refused;
        };
        row("into 4 and 9, a third refused", "XXXEXXXXEX", "", {"a", "b", "c"}, "XXXaXXXXbX", true);
        row("lower-case n/a is not empty", "nnnnnnnnnn", "", {"a"}, "nnnnnnnnnn", true);
        row("several at once, in order", "XEXXEXEXXX", "", {"abcd"}, "XaXXbXcXXX", true);
        row("onto a box: the first empty slot", "EXEXXXXXXX", "Text3", {"a"}, "aXEXXXXXXX", false);
        row("a long path whole", "EEEEEEEEEE", "", {"L"}, "LEEEEEEEEE", false);
    }
    void dropsFillEmptySlots()
    {
        QFETCH(QString, before);
        QFETCH(QString, target);
        QFETCH(QStringList, drops);
        QFETCH(QString, after);
        QFETCH(bool, refused);
        for (int n = 1; n <= frmImages::kSlots; ++n)
            m_images->slot(n)->setText(slotText(before.at(n - 1)));
        QWidget* onto = target.isEmpty() ? m_images : m_images->findChild<QWidget*>(target);
        for (const QString& files : drops)
            dropFiles(onto, files);
        QCOMPARE(shown(), shown(after));
        QCOMPARE(m_quorvel->dialogs().messages().size(), refused ? 1 : 0);
        if (refused)
            QCOMPARE(m_quorvel->dialogs().lastMessage().text,
                     QStringLiteral("Not every dropped file could be added: set a slot to N/A "
                                    "to free it."));
    }

    // The article's slots are shown; however the window closes, they reach the file; opened
    // again, it shows them and still takes drops.
    void closingStoresTheSlots_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("close box") << false;
        QTest::newRow("Escape") << true;
    }
    void closingStoresTheSlots()
    {
        QFETCH(bool, escape);
        // Titled with the number caption of the Customize table, modal over the main window.
        QCOMPARE(m_images->windowTitle(),
                 QStringLiteral("Images and Attachments for  Article No: 5"));
        QCOMPARE(shown(), shown(QStringLiteral("XEEEEEEEEE")));
        QCOMPARE(m_images->parentWidget(), &m_quorvel->main());
        QCOMPARE(QApplication::activeModalWidget(), m_images.data());
        m_images->slot(7)->selectAll();
        QTest::keyClicks(m_images->slot(7), slotText(QLatin1Char('t')));
        if (escape)
            QTest::keyClick(m_images, Qt::Key_Escape);
        else
            m_images->close();
        QTRY_VERIFY(m_images.isNull());
        QCOMPARE(stored(7), slotText(QLatin1Char('t')));
        QCOMPARE(stored(10), QStringLiteral("N/A"));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);

        open();
        dropFiles(m_images, QStringLiteral("a"));
        QCOMPARE(shown(), shown(QStringLiteral("XaEEEEtEEE")));
    }

    void refusedWriteKeepsTheWindowAndWhatWasTyped()
    {
        // Another user changes the article after the window read it.
        QVERIFY(SqlScript::run(m_quorvel->database(),
                               QStringLiteral("UPDATE QV SET Image2 = '/other' WHERE Id = 5;")));
        m_images->slot(7)->setText(slotText(QLatin1Char('t')));
        m_images->close();

        const QString prefix = QStringLiteral("The attachments could not be saved. ");
        const QString message = m_quorvel->dialogs().lastMessage().text;
        QVERIFY2(message.startsWith(prefix) && message.size() > prefix.size(), qPrintable(message));
        QVERIFY(m_images && m_images->isVisible());
        QCOMPARE(m_images->slot(7)->text(), slotText(QLatin1Char('t')));
        QCOMPARE(stored(7), QStringLiteral("N/A"));

        // Refused again, the user is asked; No keeps the window, Yes leaves without the
        // changes and the program is no longer blocked.
        m_quorvel->dialogs().answerNext(Dialogs::Answer::No);
        m_images->close();
        QVERIFY(m_images && m_images->isVisible());
        QVERIFY(m_quorvel->dialogs().lastMessage().text.endsWith(
            QStringLiteral("\n\nClose without saving the attachments?")));
        m_quorvel->dialogs().answerNext(Dialogs::Answer::Yes);
        m_images->close();
        QTRY_VERIFY(m_images.isNull());
        QCOMPARE(stored(7), QStringLiteral("N/A"));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    // Files under the program folder, absolute when marked "@". The outcome: "viewer",
    // "shell" (the absolute path handed to the desktop) or "missing".
    void viewsByPreferenceAndFile_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QString>("preference");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char* slot, const char* preference, const char* outcome) {
            QTest::addRow("%s, %s", slot, preference)
                << QString::fromLatin1(slot) << QString::fromLatin1(preference)
                << QString::fromLatin1(outcome);
        };
        row("@pics/screen shot.png", "1", "viewer");
        row("@pics/screen shot.png", "0", "shell");
        row("@pics/screen shot.png", "yes", "shell");
        row("@manual.pdf", "1", "shell");
        row("pics/screen shot.png", "0", "shell");
        row("@pics/none.png", "1", "missing");
        row("@pics", "0", "missing");
        row("@pics/.hidden.png", "1", "missing");
    }
    void viewsByPreferenceAndFile()
    {
        QFETCH(QString, slot);
        QFETCH(QString, preference);
        QFETCH(QString, outcome);
        const TempProgramFolder& folder = m_quorvel->folder();
        QDir(folder.path()).mkdir(QStringLiteral("pics"));
        for (const char* picture : {"pics/screen shot.png", "pics/.hidden.png"})
            QImage(40, 20, QImage::Format_RGB32).save(folder.filePath(QLatin1String(picture)));
        folder.writeFile(QStringLiteral("manual.pdf"), "%PDF-1.4\n%%EOF\n");
        const QString path =
            folder.filePath(slot.startsWith(QLatin1Char('@')) ? slot.mid(1) : slot);
        if (slot.startsWith(QLatin1Char('@')))
            slot = path;

        QCOMPARE(view(slot, preference),
                 outcome == QLatin1String("viewer")
                     ? frmView::kDesignCaption + QStringLiteral(" - ") + slot
                     : QString());
        const QList<RecordingShell::Launch>& launches = m_quorvel->shell().launches();
        QCOMPARE(launches.size(), outcome == QLatin1String("shell") ? 1 : 0);
        if (outcome == QLatin1String("shell"))
            QCOMPARE(launches.front().target, path);
        QCOMPARE(m_quorvel->dialogs().messages().size(),
                 outcome == QLatin1String("missing") ? 1 : 0);
        if (outcome == QLatin1String("missing"))
            QCOMPARE(m_quorvel->dialogs().lastMessage().text,
                     QStringLiteral("The file could not be found or displayed. Check the location "
                                    "of the file or try a different file."));
    }

    // Each view adds its path to the viewer's caption; once closed, the next view starts
    // again from the design caption.
    void viewerCaptionGrowsUntilItCloses()
    {
        const QString one = m_quorvel->folder().filePath(QStringLiteral("one.png"));
        const QString two = m_quorvel->folder().filePath(QStringLiteral("two.png"));
        for (const QString& picture : {one, two})
            QImage(40, 20, QImage::Format_RGB32).save(picture);
        const QString design = frmView::kDesignCaption + QStringLiteral(" - ");
        view(one, QStringLiteral("1"));
        QCOMPARE(view(two, QStringLiteral("1")), design + one + QStringLiteral(" - ") + two);

        QPointer<frmView> viewer = frmView::current();
        QTest::keyClick(viewer, Qt::Key_Escape);
        QVERIFY(!viewer->isVisible());
        QTRY_VERIFY(viewer.isNull());
        QCOMPARE(view(two, QStringLiteral("1")), design + two);
    }

    void pictureFitsTheViewerNeverEnlarged()
    {
        QCOMPARE(PictureArea::fittedSize({100, 50}, {400, 400}), QSize(100, 50));
        QCOMPARE(PictureArea::fittedSize({800, 400}, {400, 400}), QSize(400, 200));
        QCOMPARE(PictureArea::fittedSize({400, 800}, {400, 300}), QSize(150, 300));
    }
};

QTEST_MAIN(TestfrmImages)
#include "TestfrmImages.moc"
