#include "frmNameList.h"

#include "db/DbError.h"
#include "db/Recordset.h"
#include "ui/Dialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Quorvel");

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmNameList::frmNameList(const Design& design, Connection& db, Recordset& articles,
                         QWidget* mainWindow)
    : QDialog(mainWindow), m_table(db, articles, design.query, design.field), m_db(db),
      m_articles(articles), m_onlyMessage(design.onlyMessage),
      m_articleQuery(design.articleQuery)
{
    setObjectName(QLatin1String(design.objectName));
    setWindowTitle(design.title);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    buildControls(design);
    refill();
}

void frmNameList::buildControls(const Design& design)
{
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    auto* listLabel = new QLabel(design.listCaption, this);
    listLabel->setBuddy(List1);
    cmdAdd = button(this, "Command1", QStringLiteral("&Add"));
    cmdAdd->setDefault(true);
    cmdEdit = button(this, design.editName, QStringLiteral("&Edit"));
    cmdDelete = button(this, design.deleteName, QStringLiteral("&Delete"));
    cmdClose = button(this, "Command4", QStringLiteral("&Close"));
    lblName = new QLabel(this);
    lblName->setObjectName(QLatin1String(design.captionName));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    lblName->setBuddy(Text1);
    cmdAddOk = button(this, "Command5", QStringLiteral("&OK"));
    cmdEditOk = button(this, design.editOkName, QStringLiteral("&OK"));
    cmdCancel = button(this, "cmdCancel", QStringLiteral("Ca&ncel"));

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdAdd, cmdEdit, cmdDelete, cmdClose})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* grid = new QGridLayout(this);
    grid->addWidget(listLabel, 0, 0, 1, 4);
    grid->addWidget(List1, 1, 0, 1, 4);
    grid->addLayout(buttons, 1, 4);
    grid->addWidget(lblName, 2, 0);
    grid->addWidget(Text1, 2, 1);
    // The two OK buttons share one place; one of them is shown at a time.
    grid->addWidget(cmdAddOk, 2, 2);
    grid->addWidget(cmdEditOk, 2, 2);
    grid->addWidget(cmdCancel, 2, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 200);

    // The hidden panel keeps its room, so that the window does not change size when it shows.
    for (QWidget* panel : entryPanel()) {
        QSizePolicy policy = panel->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        panel->setSizePolicy(policy);
    }
    setRowButtonsEnabled(false);
    cmdAddOk->setEnabled(false);
    hideEntryPanel();

    connect(List1, &QListWidget::itemSelectionChanged, this, [this] {
        if (selectedRow() >= 0)
            setRowButtonsEnabled(true);
    });
    connect(Text1, &QLineEdit::textChanged, cmdAddOk, [this] { cmdAddOk->setEnabled(true); });
    connect(cmdAdd, &QPushButton::clicked, this, [this] { startAdd(); });
    connect(cmdAddOk, &QPushButton::clicked, this, &frmNameList::confirmAdd);
    connect(cmdEdit, &QPushButton::clicked, this, &frmNameList::startEdit);
    connect(cmdEditOk, &QPushButton::clicked, this, &frmNameList::confirmEdit);
    connect(cmdDelete, &QPushButton::clicked, this, &frmNameList::deleteSelected);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNameList::closeEntryPanel);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
}

void frmNameList::refill()
{
    List1->clear();
    List1->addItems(m_table.fill());
}

int frmNameList::selectedRow() const
{
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    return selected.isEmpty() ? -1 : List1->row(selected.first());
}

void frmNameList::setRowButtonsEnabled(bool enabled)
{
    cmdEdit->setEnabled(enabled);
    cmdDelete->setEnabled(enabled);
}

void frmNameList::showEntryPanel(const QString& caption, QPushButton* okButton)
{
    lblName->setText(caption);
    QPushButton* other = okButton == cmdAddOk ? cmdEditOk : cmdAddOk;
    other->hide();
    for (QWidget* panel : std::initializer_list<QWidget*>{lblName, Text1, okButton})
        panel->show();
    Text1->setFocus();
}

QList<QWidget*> frmNameList::entryPanel() const
{
    return {lblName, Text1, cmdAddOk, cmdEditOk, cmdCancel};
}

void frmNameList::hideEntryPanel()
{
    for (QWidget* panel : entryPanel())
        panel->hide();
}

void frmNameList::closeEntryPanel()
{
    hideEntryPanel();
    cmdAdd->setEnabled(true);
    setRowButtonsEnabled(false);
}

void frmNameList::write(const std::function<void()>& change)
{
    try {
        change();
    } catch (const DbError& error) {
        dialogs().inform(QStringLiteral("The change could not be saved. ") + error.description(),
                         kTitle, this);
    }
    refill();
}

void frmNameList::confirmAdd()
{
    write([this] { m_table.add(Text1->text()); });
    setRowButtonsEnabled(false);
    afterAdd();
}

void frmNameList::startEdit()
{
    showEntryPanel(QStringLiteral("Edit Na&me:"), cmdEditOk);
    cmdCancel->show();
    const int row = selectedRow();
    Text1->setText(row >= 0 ? List1->item(row)->text() : QString());
    setRowButtonsEnabled(false);
}

void frmNameList::confirmEdit()
{
    const int row = selectedRow();
    write([this, row] { m_table.rename(row, Text1->text()); });
    afterEdit();
}

void frmNameList::deleteSelected()
{
    const int row = selectedRow();
    write([this, row] {
        if (m_table.remove(row) == NameListTable::Removal::OnlyOne)
            dialogs().inform(m_onlyMessage, kTitle, this);
    });
    setRowButtonsEnabled(false);
}

void frmNameList::done(int result)
{
    if (!m_restored) {
        m_restored = true;
        m_articles.open(m_db, m_articleQuery);
        Q_EMIT closed();
    }
    QDialog::done(result);
}
