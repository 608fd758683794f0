// Opens Quorvel's windows one after another on the program folder that QUORVEL_PROGRAM_DIR
// names and saves a picture of each into the folder given as the argument. Message boxes
// are answered with their default button and nothing is started, so the run needs nobody
// at the keyboard. tools/screenshots/take lays out the folder and runs this under Xvfb.
//
// To add a picture, add a row to kShots: the file name and the menu item that opens the
// window (or a function that opens it). A window opened with show() is captured; one that
// runs its own event loop (exec()) would stop the run.

#include "RecordingDialogs.h"
#include "RecordingShell.h"
#include "editor/frmDisplay.h"
#include "mainwindow/frmMain.h"
#include "richtext/RichTextBox.h"
#include "settings/frmPrefs.h"
#include "startup/Main.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QPixmap>
#include <QTextCursor>
#include <QTextStream>
#include <QThread>
#include <functional>

namespace {

struct Shot
{
    const char* file;
    // What the picture shows: the main window (nothing named), an open menu ("mnuFile"),
    // or the window that a menu item opens ("mnuCategories").
    const char* name;
    // Opens the window instead of a menu item, when given.
    std::function<void(frmMain&)> open = {};
};

// Opens the search dialog with a Title search for "after" filled in.
QDialog* fillSearch(frmMain& main)
{
    main.findChild<QAction*>(QStringLiteral("mnuSearch"))->trigger();
    auto* search = main.findChild<QDialog*>(QStringLiteral("frmSearch"));
    auto* field = search->findChild<QComboBox*>(QStringLiteral("cboSearchBy"));
    const int title = field->findText(QStringLiteral("Title"));
    field->setCurrentIndex(title);
    Q_EMIT field->activated(title);
    search->findChild<QLineEdit*>(QStringLiteral("txtSearchString"))
        ->setText(QStringLiteral("after"));
    return search;
}

// A fixed date for the date format rows, so that the picture stays the same.
const QDate kShownDate(2026, 3, 14);

// Overwrites the first sentence of the shown article's solution and saves it, so that its
// history holds a version.
void changeSolution(frmMain& main)
{
    frmDisplay& display = *main.display();
    QTextCursor cursor(display.txtNote2->document());
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(QStringLiteral("Reinstall the printer driver from the vendor's site, "
                                     "then print a test page."));
    display.txtEditedBy->setText(QStringLiteral("Dana"));
    main.findChild<QAction*>(QStringLiteral("mnuSave"))->trigger();
}

const Shot kShots[] = {
    {"main-window.png", ""},
    {"menu-file.png", "mnuFile"},
    {"menu-setup.png", "mnuSetup"},
    {"menu-help.png", "mnuHelp"},
    {"setup-categories.png", "mnuCategories"},
    {"setup-categories-edit.png", "mnuCategories",
     [](frmMain& main) {
         main.findChild<QAction*>(QStringLiteral("mnuCategories"))->trigger();
         auto* window = main.findChild<QDialog*>(QStringLiteral("frmSetupCG"));
         window->findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(3);
         window->findChild<QPushButton*>(QStringLiteral("Command3"))->click();
     }},
    {"setup-users.png", "mnuUsers"},
    {"database-path.png", "mnuData"},
    {"preferences.png", "mnuPrefs",
     [](frmMain& main) { (new frmPrefs(&main, main.toolbar(), kShownDate))->show(); }},
    {"general-info.png", "mnuGen"},
    {"run.png", "mnuRun"},
    {"attachments.png", "Command1",
     [](frmMain& main) {
         // The article must be saved before its attachments open.
         main.findChild<QAction*>(QStringLiteral("mnuSave"))->trigger();
         main.display()->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
     }},
    {"search.png", "mnuSearch", [](frmMain& main) { fillSearch(main); }},
    {"search-results.png", "mnuSearch",
     [](frmMain& main) {
         fillSearch(main)->findChild<QPushButton*>(QStringLiteral("cmdSearch"))->click();
     }},
    {"go-to.png", "mnuGoTo"},
    {"article-history.png", "mnuHistory",
     [](frmMain& main) {
         changeSolution(main);
         main.findChild<QAction*>(QStringLiteral("mnuHistory"))->trigger();
     }},
    {"article-history-compare.png", "mnuHistory",
     [](frmMain& main) {
         main.findChild<QAction*>(QStringLiteral("mnuHistory"))->trigger();
         main.findChild<QPushButton*>(QStringLiteral("cmdCompare"))->click();
     }},
    {"deleted-articles.png", "mnuDeleted",
     [](frmMain& main) {
         main.findChild<QAction*>(QStringLiteral("mnuLast"))->trigger();
         main.findChild<QAction*>(QStringLiteral("mnuDelete"))->trigger();
         main.findChild<QAction*>(QStringLiteral("mnuDeleted"))->trigger();
     }},
    {"labels.png", "mnuLabels"},
};

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QThread::msleep(40);
    }
}

// The window that opened besides the main window, if any.
QWidget* openedWindow(const QWidget* main)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != main && window->isVisible() && !qobject_cast<QMenu*>(window))
            return window;
    }
    return nullptr;
}

void closeWindow(QWidget* window)
{
    if (auto* dialog = qobject_cast<QDialog*>(window))
        dialog->reject();
    else
        window->close();
    settle();
}

// Takes one picture: "saved", "skipped" with the reason, or "FAILED".
QString take(const Shot& shot, frmMain& main, const QDir& folder)
{
    const QString name = QLatin1String(shot.name);
    const QString file = folder.filePath(QLatin1String(shot.file));
    const auto saved = [](bool ok) { return ok ? QStringLiteral("saved") : QStringLiteral("FAILED"); };
    if (name.isEmpty())
        return saved(main.grab().save(file));
    if (auto* menu = main.findChild<QMenu*>(name)) {
        QMenuBar* bar = main.menuBar();
        bar->setActiveAction(menu->menuAction());
        settle();
        // The menu bar with the open menu below its title.
        const QPoint offset = menu->pos() - bar->mapToGlobal(QPoint(0, 0));
        const int titlesEnd = bar->actionGeometry(bar->actions().constLast()).right();
        QPixmap picture(qMax(titlesEnd, offset.x() + menu->width()) + 8,
                        offset.y() + menu->height());
        picture.fill(main.palette().window().color());
        bar->render(&picture);
        menu->render(&picture, offset);
        menu->hide();
        bar->setActiveAction(nullptr);
        settle();
        return saved(picture.save(file));
    }
    if (shot.open) {
        shot.open(main);
    } else {
        QAction* command = main.findChild<QAction*>(name);
        if (!command || !command->isEnabled())
            return QStringLiteral("skipped (%1 is not available yet)").arg(name);
        command->trigger();
    }
    settle();
    QWidget* window = openedWindow(&main);
    if (!window)
        return QStringLiteral("skipped (no window opened)");
    const bool ok = window->grab().save(file);
    closeWindow(window);
    return saved(ok);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    QTextStream out(stdout);
    if (argc != 2) {
        out << "usage: qvscreenshots <folder for the pictures>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    RecordingDialogs dialogs;
    RecordingShell shell;
    Program program = Main();
    if (!program.mainWindow) {
        out << "Quorvel did not start on the program folder\n";
        return 1;
    }
    frmMain& main = *program.mainWindow;
    main.resize(1000, 760);
    main.show();
    settle();
    int failures = 0;
    for (const Shot& shot : kShots) {
        const QString result = take(shot, main, folder);
        out << shot.file << ": " << result << Qt::endl;
        failures += result == QLatin1String("FAILED");
    }
    return failures == 0 ? 0 : 1;
}
