#include "Form1.h"

#include "WaysetVersion.h"
#include "db/Connection.h"
#include "db/ServerAddress.h"
#include "profile/Prefs.h"
#include "ui/Dialogs.h"
#include "ui_Form1.h"

#include <QDir>
#include <QShortcut>

namespace {
const QString kSection = QStringLiteral("General");
const QString kKey = QStringLiteral("Path");
} // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent), m_ui(std::make_unique<Ui::Form1>())
{
    m_ui->setupUi(this);
    connect(m_ui->Command1, &QPushButton::clicked, this, &Form1::ok);
    connect(m_ui->Command2, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->mnuExit, &QAction::triggered, this, [] { dialogs().endProgram(); });
    connect(m_ui->mnuAbout, &QAction::triggered, this, &Form1::about);

    // A main window has no default button of its own: Enter and Esc are wired here. Enter
    // presses the button that has the focus, OK anywhere else.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, [this] {
            auto* focused = qobject_cast<QPushButton*>(focusWidget());
            (focused ? focused : m_ui->Command1)->click();
        });
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated,
            m_ui->Command2, &QPushButton::click);

    load();
}

Form1::~Form1() = default;

QString Form1::prefsFile()
{
    return prefsFilePath(QStringLiteral("Ini"));
}

void Form1::load()
{
    m_ui->Text1->setText(ReadPref(kSection, kKey, prefsFile()));
}

void Form1::ok()
{
    const QString path = m_ui->Text1->text();
    const QString problem =
        Connection::isServerAddress(path) ? ServerAddress::problem(path) : QString();
    if (!problem.isEmpty()) {
        dialogs().message(
            {problem, windowTitle(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, std::nullopt},
            this);
        return;
    }
    if (!WritePref(kSection, kKey, path, prefsFile())) {
        dialogs().message({QStringLiteral("The database path could not be saved to ") +
                               QDir::toNativeSeparators(prefsFile()) + QStringLiteral("."),
                           windowTitle(), Dialogs::Buttons::Ok, Dialogs::Icon::None, std::nullopt},
                          this);
        return;
    }
    close();
}

void Form1::about()
{
    dialogs().message({WaysetVersion::aboutText(), QStringLiteral("Orvane Wayset Utility"),
                       Dialogs::Buttons::Ok, Dialogs::Icon::None, std::nullopt},
                      this);
}
