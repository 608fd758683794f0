#include "General.h"

#include "profile/Prefs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

General::General(int articleCount, QWidget* mainWindow) : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("General"));
    setWindowTitle(QStringLiteral("General Information"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);

    auto* form = new QFormLayout;
    const auto row = [this, form](const QString& caption, const QString& value,
                                  const char* name = nullptr) {
        auto* shown = new QLabel(value, this);
        shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (name)
            shown->setObjectName(QLatin1String(name));
        form->addRow(caption, shown);
    };
    row(QStringLiteral("Database path:"),
        ReadPref(QStringLiteral("General"), QStringLiteral("Path"), prefsFilePath(QStringLiteral("Ini"))),
        "Label2");
    row(QStringLiteral("Number of database articles:"), QString::number(articleCount), "Label4");
    row(QStringLiteral("Database Engine:"), QStringLiteral("Microsoft Jet Database Engine 4.0"));
    row(QStringLiteral("Database Structure:"),
        QStringLiteral("Microsoft Access Database (Access 2000)"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* page = new QVBoxLayout(this);
    page->addLayout(form);
    page->addWidget(buttons);
}
