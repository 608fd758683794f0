#include "frmDataPath.h"

#include "profile/Prefs.h"
#include "settings/UserPrefs.h"
#include "ui/Dialogs.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kSection = QStringLiteral("General");
const QString kKey = QStringLiteral("Path");
} // namespace

const QString frmDataPath::ReadOnlyMessage =
    QStringLiteral("Can't display the Database Path. The current user rights are set to read "
                   "only.");

frmDataPath::frmDataPath(QWidget* mainWindow, std::function<void()> endProgram)
    : QDialog(mainWindow), m_endProgram(std::move(endProgram))
{
    setObjectName(QStringLiteral("frmDataPath"));
    setWindowTitle(QStringLiteral(" Database Path"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);

    auto* label = new QLabel(QStringLiteral("&Database Path:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMinimumWidth(460);
    label->setBuddy(Text1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Command2"));
    cancel->setAutoDefault(false);
    auto* page = new QVBoxLayout(this);
    page->addWidget(label);
    page->addWidget(Text1);
    page->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, &frmDataPath::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    Text1->setText(ReadPref(kSection, kKey));
    m_loadedPath = Text1->text();
}

void frmDataPath::save()
{
    if (!UserPrefs::save(kSection, kKey, Text1->text(), this))
        return;
    if (Text1->text() != m_loadedPath) {
        dialogs().inform(QStringLiteral("The database path has been changed. Please restart "
                                        "Quorvel."),
                         QStringLiteral("Quorvel"), this);
        m_endProgram();
    }
    accept();
}
