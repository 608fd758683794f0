#include "frmHistory.h"

#include "history/VersionComparison.h"
#include "history/VersionDocument.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

frmHistory::frmHistory(Connection& db, qint64 recordId, const Article& current, QWidget* mainWindow)
    : QDialog(mainWindow), m_history(db), m_current(current),
      m_versions(m_history.versions(recordId))
{
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(QStringLiteral("Article History - ") + current.id + QStringLiteral(" ") +
                   current.title);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setSizeGripEnabled(true);
    buildControls();
    QList<QTreeWidgetItem*> items;
    for (const KeptVersion& version : m_versions) {
        const QString what = ArticleHistory::changeText(version);
        items.append(new QTreeWidgetItem(
            {ArticleHistory::shownTime(version.changedAt), version.changedBy, what}));
        items.last()->setToolTip(2, what);
    }
    lstVersions->addTopLevelItems(items);
    const bool any = !m_versions.isEmpty();
    cmdCompare->setEnabled(any);
    cmdRestore->setEnabled(any);
    if (any)
        lstVersions->setCurrentItem(lstVersions->topLevelItem(0));
    else
        txtVersion->setPlainText(QStringLiteral("No earlier version of this article is kept."));
    resize(820, 640);
}

void frmHistory::buildControls()
{
    lstVersions = named(new QTreeWidget(this), "lstVersions");
    lstVersions->setHeaderLabels(
        {QStringLiteral("Changed"), QStringLiteral("By"), QStringLiteral("What changed")});
    lstVersions->setRootIsDecorated(false);
    lstVersions->setUniformRowHeights(true);
    lstVersions->header()->resizeSection(0, 160);
    lstVersions->header()->resizeSection(1, 160);
    auto* listLabel =
        named(new QLabel(QStringLiteral("&Versions, newest first: each is the article as it was "
                                        "before the change listed."),
                         this),
              "lblVersions");
    listLabel->setBuddy(lstVersions);

    txtVersion = named(new QTextEdit(this), "txtVersion");
    txtVersion->setReadOnly(true);
    lblShown = named(new QLabel(this), "lblShown");
    lblShown->setBuddy(txtVersion);

    cmdCompare = named(new QPushButton(QStringLiteral("&Compare"), this), "cmdCompare");
    cmdCompare->setCheckable(true);
    cmdCompare->setToolTip(QStringLiteral("Show what changed in Title, Problem and Solution "
                                          "from the chosen version to the current article"));
    cmdRestore = named(new QPushButton(QStringLiteral("&Restore"), this), "cmdRestore");
    cmdRestore->setToolTip(QStringLiteral("Put the chosen version into the article window, "
                                          "to be saved as usual"));
    cmdClose = named(new QPushButton(QStringLiteral("Close"), this), "cmdClose");
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(cmdCompare, QDialogButtonBox::ActionRole);
    buttons->addButton(cmdRestore, QDialogButtonBox::ActionRole);
    buttons->addButton(cmdClose, QDialogButtonBox::RejectRole);
    for (QPushButton* button : {cmdCompare, cmdRestore, cmdClose})
        button->setAutoDefault(false);

    auto* page = new QVBoxLayout(this);
    page->addWidget(listLabel);
    page->addWidget(lstVersions, 1);
    page->addWidget(lblShown);
    page->addWidget(txtVersion, 2);
    page->addWidget(buttons);

    connect(lstVersions, &QTreeWidget::currentItemChanged, this, &frmHistory::showChosen);
    connect(cmdCompare, &QPushButton::toggled, this, &frmHistory::showChosen);
    connect(cmdRestore, &QPushButton::clicked, this, [this] {
        if (const std::optional<KeptVersion> version = chosen())
            Q_EMIT restoreRequested(*version);
    });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<KeptVersion> frmHistory::chosen() const
{
    const int row = lstVersions->indexOfTopLevelItem(lstVersions->currentItem());
    if (row < 0)
        return std::nullopt;
    return m_history.version(m_versions.at(row).historyId);
}

void frmHistory::showChosen()
{
    const std::optional<KeptVersion> version = chosen();
    if (!version)
        return;
    if (cmdCompare->isChecked()) {
        lblShown->setText(QStringLiteral("&What changed from this version to the current "
                                         "article ([-removed-] {+added+}):"));
        // Plain text: none of the version's formatting carries over.
        txtVersion->clear();
        txtVersion->setCurrentCharFormat(QTextCharFormat());
        txtVersion->setPlainText(VersionComparison::text(version->article, m_current));
    } else {
        lblShown->setText(QStringLiteral("The article as it &was before the change:"));
        VersionDocument::fill(*txtVersion->document(), *version);
    }
    txtVersion->moveCursor(QTextCursor::Start);
}
