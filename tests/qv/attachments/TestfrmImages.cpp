#include "RunningQuorvel.h"
#include "SqlScript.h"
#include "attachments/frmImages.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "editor/frmDisplay.h"
#include "mainwindow/frmMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>

namespace {
const QString kNotAdded =
    QStringLiteral("Not every dropped file could be added: set a slot to N/A to free it.");
const QString kFirstAttachment = QStringLiteral("/srv/kb/printer setup.png");
} // namespace

// The attachments window of article 5 (the last of five), opened by the article window's
// button after a save: its slots, file drops and the write-back on every close.
class TestfrmImages : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningQuorvel> m_quorvel;
    QPointer<frmImages> m_images;

    void open()
    {
        m_quorvel->display().findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        m_images = m_quorvel->main().findChild<frmImages*>();
        QVERIFY(m_images);
    }
    QStringList slotTexts()
    {
        QStringList texts;
        for (int n = 1; n <= frmImages::kSlots; ++n)
            texts << m_images->slot(n)->text();
        return texts;
    }
    void setSlotTexts(const QStringList& texts)
    {
        for (int n = 1; n <= frmImages::kSlots; ++n)
            m_images->slot(n)->setText(texts[n - 1]);
    }
    // Drags files from a file manager that offers to copy or move them and drops them.
    void dropFiles(QWidget* target, const QStringList& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        const QPoint centre = target->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(centre, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(drop.dropAction(), Qt::CopyAction);
        QCoreApplication::processEvents();
    }
    QString storedSlot(int number)
    {
        Connection other;
        other.open(m_quorvel->database());
        Recordset row;
        row.open(other, QStringLiteral("SELECT * FROM QV WHERE Id = 5"));
        return row.value(QStringLiteral("Image%1").arg(number)).toString();
    }
    static QStringList emptyBut(const QList<int>& emptySlots, const QString& other)
    {
        QStringList texts;
        for (int n = 1; n <= frmImages::kSlots; ++n)
            texts << (emptySlots.contains(n) ? frmImages::EmptySlotText : other);
        return texts;
    }

private Q_SLOTS:
    void init()
    {
        m_quorvel = std::make_unique<RunningQuorvel>(5);
        QVERIFY(SqlScript::run(m_quorvel->database(),
                               QStringLiteral("UPDATE QV SET Image1 = '%1', Image2 = 'N/A', "
                                              "Image3 = 'N/A', Image4 = 'N/A', Image5 = 'N/A', "
                                              "Image6 = 'N/A', Image7 = 'N/A', Image8 = 'N/A', "
                                              "Image9 = 'N/A' WHERE Id = 5;")
                                   .arg(kFirstAttachment)));
        QVERIFY(m_quorvel->start());
        m_quorvel->main().show();
        m_quorvel->trigger("mnuLast");
        m_quorvel->trigger("mnuSave");
        open();
        m_quorvel->dialogs().clear();
    }
    void cleanup()
    {
        delete m_images;
        m_quorvel.reset();
    }

    void showsTheArticlesSlotsAndBlocksTheMainWindow()
    {
        // The number caption is the first label of the Customize table.
        QCOMPARE(m_images->windowTitle(),
                 QStringLiteral("Images and Attachments for  Article No: 5"));
        // Image10 holds nothing at all: an empty slot.
        QCOMPARE(slotTexts(),
                 QStringList{kFirstAttachment} + emptyBut({2, 3, 4, 5, 6, 7, 8, 9, 10}, {}).mid(1));
        QVERIFY(m_images->isVisible());
        QCOMPARE(m_images->windowModality(), Qt::WindowModal);
        QCOMPARE(m_images->parentWidget(), &m_quorvel->main());
        QCOMPARE(QApplication::activeModalWidget(), m_images.data());
    }

    void viewButtonViewsItsSlot()
    {
        m_images->findChild<QPushButton*>(QStringLiteral("cmdView2"))->click();
        QCOMPARE(m_quorvel->dialogs().lastMessage().text,
                 QStringLiteral("The file could not be found or displayed. Check the location of "
                                "the file or try a different file."));
    }

    void dropsFillEmptySlots_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QList<QStringList>>("drops");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<bool>("refused");
        const QString a = QStringLiteral("/home/pat/a.png");
        const QString b = QStringLiteral("/home/pat/b b.pdf");
        const QString c = QStringLiteral("/home/pat/c.txt");
        const QString d = QStringLiteral("/home/pat/d.doc");
        const QString x = QStringLiteral("/x");
        const QString longPath = QStringLiteral("/") + QString(600, QLatin1Char('p'));

        QStringList after = emptyBut({}, x);
        after[3] = a;
        after[8] = b;
        QTest::newRow("one drop after another into slots 4 and 9, the third refused")
            << emptyBut({4, 9}, x) << QString() << QList<QStringList>{{a}, {b}, {c}} << after
            << true;
        QTest::newRow("lower-case n/a is not empty")
            << emptyBut({}, QStringLiteral("n/a")) << QString() << QList<QStringList>{{a}}
            << emptyBut({}, QStringLiteral("n/a")) << true;
        after = emptyBut({}, x);
        after[1] = a;
        after[4] = b;
        after[6] = c;
        QTest::newRow("several files at once fill the empty slots in order")
            << emptyBut({2, 5, 7}, x) << QString() << QList<QStringList>{{a, b, c, d}} << after
            << true;
        after = emptyBut({3}, x);
        after[0] = a;
        QTest::newRow("a file dropped on a box goes to the first empty slot")
            << emptyBut({1, 3}, x) << QStringLiteral("Text3") << QList<QStringList>{{a}} << after
            << false;
        after = emptyBut({2, 3, 4, 5, 6, 7, 8, 9, 10}, x);
        after[0] = longPath;
        QTest::newRow("a long path arrives whole")
            << emptyBut({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, x) << QString()
            << QList<QStringList>{{longPath}} << after << false;
    }
    void dropsFillEmptySlots()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, target);
        QFETCH(QList<QStringList>, drops);
        QFETCH(QStringList, after);
        QFETCH(bool, refused);
        setSlotTexts(before);
        QWidget* onto = target.isEmpty() ? m_images.data() : m_images->findChild<QWidget*>(target);
        for (const QStringList& files : drops)
            dropFiles(onto, files);
        QCOMPARE(slotTexts(), after);
        QCOMPARE(m_quorvel->dialogs().messages().size(), refused ? 1 : 0);
        if (refused)
            QCOMPARE(m_quorvel->dialogs().lastMessage().text, kNotAdded);
    }

    // However the window closes, the slots reach the file; opened again, it shows them and
    // still takes drops.
    void closingStoresTheSlots_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("close box") << 0;
        QTest::newRow("Update and Close") << 1;
        QTest::newRow("Escape") << 2;
    }
    void closingStoresTheSlots()
    {
        QFETCH(int, how);
        const QString typed = QStringLiteral("/srv/kb/manual v2.pdf");
        m_images->slot(7)->selectAll();
        QTest::keyClicks(m_images->slot(7), typed);
        if (how == 0)
            m_images->close();
        else if (how == 1)
            m_images->findChild<QPushButton*>(QStringLiteral("Command11"))->click();
        else
            QTest::keyClick(m_images, Qt::Key_Escape);
        QTRY_VERIFY(m_images.isNull());
        QCOMPARE(storedSlot(7), typed);
        QCOMPARE(storedSlot(10), frmImages::EmptySlotText);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);

        open();
        QCOMPARE(m_images->slot(7)->text(), typed);
        dropFiles(m_images, {QStringLiteral("/tmp/dropped.png")});
        QCOMPARE(m_images->slot(2)->text(), QStringLiteral("/tmp/dropped.png"));
    }

    void refusedWriteKeepsTheWindowAndWhatWasTyped()
    {
        // Another user changes the article after the window read it.
        QVERIFY(SqlScript::run(m_quorvel->database(),
                               QStringLiteral("UPDATE QV SET Image2 = '/other' WHERE Id = 5;")));
        m_images->slot(7)->setText(QStringLiteral("/srv/kb/typed.pdf"));
        m_images->close();

        const QString prefix = QStringLiteral("The attachments could not be saved. ");
        const QString shown = m_quorvel->dialogs().lastMessage().text;
        QVERIFY2(shown.startsWith(prefix) && shown.size() > prefix.size(), qPrintable(shown));
        QVERIFY(m_images && m_images->isVisible());
        QCOMPARE(m_images->slot(7)->text(), QStringLiteral("/srv/kb/typed.pdf"));
        QCOMPARE(storedSlot(7), frmImages::EmptySlotText);
    }
};

QTEST_MAIN(TestfrmImages)
#include "TestfrmImages.moc"
