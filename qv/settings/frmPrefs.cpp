#include "frmPrefs.h"

#include "profile/Prefs.h"
#include "settings/UserPrefs.h"
#include "shell/ProgramFolder.h"
#include "text/DateText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("UserPrefs");

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

frmPrefs::frmPrefs(QWidget* mainWindow, QToolBar* toolbar, const QDate& today)
    : QDialog(mainWindow), m_toolbar(toolbar)
{
    setObjectName(QStringLiteral("frmPrefs"));
    setWindowTitle(QStringLiteral("Preferences"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    buildControls();
    load(today);
}

void frmPrefs::buildControls()
{
    Text1 = named(new QLineEdit(QStringLiteral("Orvane Quorvel"), this), "Text1");
    List1 = named(new QListWidget(this), "List1");
    Text2 = named(new QLineEdit(this), "Text2");
    // Where the HTML export writes and the names of its pages: shown, not stored.
    Text3 = named(new QLineEdit(QStringLiteral("allarticles.html"), this), "Text3");
    Text4 = named(new QLineEdit(QStringLiteral("article.html"), this), "Text4");
    for (QLineEdit* box : {Text2, Text3, Text4})
        box->setReadOnly(true);
    Check1 = named(new QCheckBox(QStringLiteral("&Use 'Orvane Image Viewer' For Images"), this),
                   "Check1");
    chkToolbar = named(new QCheckBox(QStringLiteral("&Show Toolbar"), this), "chkToolbar");
    chkToolbar->setChecked(true);
    spnKeepVersions = named(new QSpinBox(this), "spnKeepVersions");
    spnKeepVersions->setRange(0, UserPrefs::kMaxKeptVersionDays);
    spnKeepVersions->setSpecialValueText(QStringLiteral("All"));
    spnKeepVersions->setPrefix(QStringLiteral("Last "));
    spnKeepVersions->setSuffix(QStringLiteral(" days"));
    Command1 = named(new QPushButton(QStringLiteral("&OK"), this), "Command1");
    Command2 = named(new QPushButton(QStringLiteral("&Cancel"), this), "Command2");
    Command1->setDefault(true);
    Command2->setAutoDefault(false);

    auto* form = new QFormLayout;
    const auto row = [this, form](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row(QStringLiteral("&Title Bar:"), Text1);
    row(QStringLiteral("Default &Date Format:"), List1);
    row(QStringLiteral("&Export Folder:"), Text2);
    row(QStringLiteral("A&ll Articles Page:"), Text3);
    row(QStringLiteral("A&rticle Page:"), Text4);
    row(QStringLiteral("Keep Article &Versions:"), spnKeepVersions);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(Command1, QDialogButtonBox::AcceptRole);
    buttons->addButton(Command2, QDialogButtonBox::RejectRole);

    auto* page = new QVBoxLayout(this);
    page->addLayout(form);
    page->addWidget(Check1);
    page->addWidget(chkToolbar);
    page->addWidget(buttons);
    Text1->setMinimumWidth(320);

    connect(Command1, &QPushButton::clicked, this, &frmPrefs::save);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
}

void frmPrefs::load(const QDate& today)
{
    Text2->setText(QDir::toNativeSeparators(programFolder() + QStringLiteral("/HTML/")));
    Check1->setChecked(UserPrefs::isTicked(ReadPref(kSection, QStringLiteral("UseViewerForImages"))));
    chkToolbar->setChecked(UserPrefs::toolbarShown());
    Text1->setText(ReadPref(kSection, QStringLiteral("TitleBar")));
    spnKeepVersions->setValue(UserPrefs::keptVersionDays());
    const QDateTime day(today, QTime(0, 0));
    for (const UserPrefs::DateFormatRow& format : UserPrefs::dateFormats())
        List1->addItem(DateText::format(day, format.preview));
    const int row = UserPrefs::dateFormatRow(ReadPref(kSection, QStringLiteral("DateFormat")));
    if (row >= 0)
        List1->setCurrentRow(row);
}

void frmPrefs::save()
{
    const auto digit = [](const QCheckBox* box) {
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    };
    PrivateProfile::Entries entries = {
        {QStringLiteral("UseViewerForImages"), digit(Check1)},
        {QStringLiteral("TitleBar"), Text1->text()},
        {QStringLiteral("Show Toolbar"), digit(chkToolbar)},
        {QStringLiteral("KeepVersionsDays"), QString::number(spnKeepVersions->value())}};
    // Without a chosen row the stored format stays.
    const QList<QListWidgetItem*> chosen = List1->selectedItems();
    if (!chosen.isEmpty())
        entries.append({QStringLiteral("DateFormat"),
                        UserPrefs::dateFormats().at(List1->row(chosen.first())).stored});
    if (!UserPrefs::save(kSection, entries, this))
        return;
    Q_EMIT captionSaved(Text1->text());
    m_toolbar->setVisible(chkToolbar->isChecked());
    accept();
}
