#include "frmSetupUsersForPasswords.h"

#include "security/PasswordSwitch.h"
#include "security/SecurityControls.h"
#include "security/frmNewPassword.h"
#include "startup/AppInfo.h"
#include "ui/Dialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The one account whose name and rights the window never changes (letter case counts).
const QString kProtectedAccount = QStringLiteral("admin");

void say(const QString& text, const QString& title, Dialogs::Icon icon, QWidget* parent)
{
    dialogs().message({text, title, Dialogs::Buttons::Ok, icon, std::nullopt}, parent);
}

template <typename Control> Control* named(Control* control, const char* name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

} // namespace

frmSetupUsersForPasswords::frmSetupUsersForPasswords(Connection& db, QWidget* parent)
    : QDialog(parent), m_db(db), m_accounts(db)
{
    setObjectName(QStringLiteral("frmSetupUsersForPasswords"));
    setWindowTitle(QStringLiteral("Setup Users For Passwords"));
    buildControls();

    // Load.
    UpdateList();
    Check2->setChecked(PasswordSwitch::isOn(db));
}

frmSetupUsersForPasswords::~frmSetupUsersForPasswords() = default;

void frmSetupUsersForPasswords::buildControls()
{
    lstUsers = named(new QListWidget(this), "lstUsers");
    connect(lstUsers, &QListWidget::itemSelectionChanged, this,
            &frmSetupUsersForPasswords::lstUsers_Click);

    Text1 = named(new QLineEdit(this), "Text1");
    connect(Text1, &QLineEdit::textChanged, this, [this] { cmdAddNew->setEnabled(true); });
    Text2 = passwordBox(this, "Text2");
    Text3 = named(new QLineEdit(this), "Text3");
    auto* details = new QGroupBox(QStringLiteral("Details"), this);
    auto* boxes = new QFormLayout(details);
    boxes->addRow(QStringLiteral("User &Name:"), Text1);
    boxes->addRow(QStringLiteral("&Password:"), Text2);
    boxes->addRow(QStringLiteral("&Full Name:"), Text3);

    auto* options = new QGroupBox(QStringLiteral("Security Options"), this);
    Check1 = named(new QCheckBox(QStringLiteral("Ad&ministrator"), options), "Check1");
    chkReadOnly = named(new QCheckBox(QStringLiteral("&Read-Only"), options), "chkReadOnly");
    chkEditor = named(new QCheckBox(QStringLiteral("Au&thor and Editor"), options), "chkEditor");
    Check2 = named(new QCheckBox(QStringLiteral("Enable Pass&words"), options), "Check2");
    auto* optionRows = new QVBoxLayout(options);
    for (QCheckBox* box : {Check1, chkReadOnly, chkEditor, Check2})
        optionRows->addWidget(box);

    const auto button = [this](const char* name, const QString& caption, auto handler) {
        auto* pushButton = named(new QPushButton(caption, this), name);
        // Enter in a box must not press a button that writes.
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, handler);
        return pushButton;
    };
    cmdAddNew = button("cmdAddNew", QStringLiteral("&Add New"),
                       &frmSetupUsersForPasswords::cmdAddNew_Click);
    cmdEdit =
        button("cmdEdit", QStringLiteral("&Edit User"), &frmSetupUsersForPasswords::cmdEdit_Click);
    cmdDelete = button("cmdDelete", QStringLiteral("&Delete User"),
                       &frmSetupUsersForPasswords::cmdDelete_Click);
    Command1 = button("Command1", QStringLiteral("&Setup Password"),
                      &frmSetupUsersForPasswords::Command1_Click);
    Command1->setEnabled(false);
    cmdExit = button("cmdExit", QStringLiteral("&Close"), &QDialog::close);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* pushButton : {cmdAddNew, cmdEdit, cmdDelete, Command1})
        buttons->addWidget(pushButton);
    buttons->addStretch(1);
    buttons->addWidget(cmdExit);

    auto* middle = new QVBoxLayout;
    middle->addWidget(details);
    middle->addWidget(options);
    middle->addStretch(1);

    auto* page = new QHBoxLayout(this);
    page->addWidget(captionedFrame(this, QStringLiteral("&User Names"), lstUsers));
    page->addLayout(middle, 1);
    page->addLayout(buttons);
}

void frmSetupUsersForPasswords::UpdateList()
{
    cmdAddNew->setEnabled(false);
    // Emptied and refilled without a selection, so nothing counts as selected.
    const QSignalBlocker quiet(lstUsers);
    lstUsers->clear();
    lstUsers->addItems(m_accounts.names());
}

std::optional<QString> frmSetupUsersForPasswords::selectedEntry() const
{
    const QList<QListWidgetItem*> selected = lstUsers->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return selected.first()->text();
}

Account frmSetupUsersForPasswords::details() const
{
    Account account;
    account.loginName = Text1->text();
    account.fullName = Text3->text();
    account.administrator = Check1->isChecked();
    account.readOnly = chkReadOnly->isChecked();
    return account;
}

void frmSetupUsersForPasswords::emptyDetails()
{
    Text1->clear();
    Text2->clear();
    Text3->clear();
    Check1->setChecked(false);
}

void frmSetupUsersForPasswords::lstUsers_Click()
{
    const std::optional<QString> entry = selectedEntry();
    const std::optional<Account> account =
        entry ? m_accounts.find(*entry) : std::optional<Account>();
    if (!account)
        return;
    Text1->setText(account->loginName);
    Text3->setText(account->fullName);
    Text2->setText(account->password);
    Check1->setChecked(account->administrator);
    chkReadOnly->setChecked(account->readOnly);
    const bool changeable = *entry != kProtectedAccount;
    for (QWidget* control : {static_cast<QWidget*>(Check1), static_cast<QWidget*>(chkReadOnly),
                             static_cast<QWidget*>(cmdDelete), static_cast<QWidget*>(Text1),
                             static_cast<QWidget*>(cmdEdit)})
        control->setEnabled(changeable);
    Command1->setEnabled(true);
}

void frmSetupUsersForPasswords::refuseDuplicate()
{
    say(QStringLiteral("This user name already exists. Please select a unique user name."),
        QStringLiteral("Account Already Exists..."), Dialogs::Icon::Information, this);
}

void frmSetupUsersForPasswords::cmdAddNew_Click()
{
    if (m_accounts.add(details(), Text2->text())) {
        UpdateList();
        say(QStringLiteral("The User ") + Text3->text() + QStringLiteral(" has been added."),
            QStringLiteral("New User Added"), Dialogs::Icon::Information, this);
    } else {
        refuseDuplicate();
    }
    emptyDetails();
    cmdAddNew->setEnabled(false);
}

void frmSetupUsersForPasswords::cmdEdit_Click()
{
    const std::optional<QString> entry = selectedEntry();
    if (!entry) {
        say(QStringLiteral("Please select a user from a list at the left before you continue."),
            QStringLiteral("Error"), Dialogs::Icon::Critical, this);
        return;
    }
    // Two accounts of one name would make a login ambiguous: nothing is written, and the
    // boxes keep what was typed so that the name can be corrected.
    if (!m_accounts.change(*entry, details())) {
        refuseDuplicate();
        return;
    }
    PasswordSwitch::set(m_db, Check2->isChecked());
    UpdateList();
    say(QStringLiteral("The details for ") + Text3->text() + QStringLiteral(" have been changed."),
        QStringLiteral("Details Changed"), Dialogs::Icon::Information, this);
    emptyDetails();
    cmdAddNew->setEnabled(false);
}

void frmSetupUsersForPasswords::cmdDelete_Click()
{
    const std::optional<QString> entry = selectedEntry();
    if (!entry) {
        say(QStringLiteral("Please select a user from the list before continuing."),
            AppInfo::kTitle, Dialogs::Icon::Critical, this);
        return;
    }
    m_accounts.remove(*entry);
    UpdateList();
    say(QStringLiteral("The User ") + Text3->text() + QStringLiteral(" has been deleted. "),
        AppInfo::kTitle, Dialogs::Icon::Information, this);
    emptyDetails();
}

void frmSetupUsersForPasswords::Command1_Click()
{
    if (!selectedEntry()) {
        dialogs().inform(frmNewPassword::kSelectAccount, AppInfo::kTitle, this);
        return;
    }
    if (!m_newPassword)
        m_newPassword = new frmNewPassword(
            m_db, [this] { return selectedEntry(); }, this);
    // The title names the account the password is for, also when the dialog is shown again.
    m_newPassword->setWindowTitle(Text3->text());
    m_newPassword->show();
    m_newPassword->activateWindow();
}
