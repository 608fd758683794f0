#include "frmDeletedArticles.h"

#include "history/ArticleHistory.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmDeletedArticles::frmDeletedArticles(const QList<KeptVersion>& deleted, QWidget* mainWindow)
    : QDialog(mainWindow), m_deleted(deleted)
{
    setObjectName(QStringLiteral("frmDeletedArticles"));
    setWindowTitle(QStringLiteral("Deleted Articles"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setSizeGripEnabled(true);

    lstDeleted = new QTreeWidget(this);
    lstDeleted->setObjectName(QStringLiteral("lstDeleted"));
    lstDeleted->setHeaderLabels({QStringLiteral("Number"), QStringLiteral("Title"),
                                 QStringLiteral("Deleted"), QStringLiteral("By")});
    lstDeleted->setRootIsDecorated(false);
    lstDeleted->setUniformRowHeights(true);
    lstDeleted->header()->resizeSection(0, 80);
    lstDeleted->header()->resizeSection(1, 300);
    lstDeleted->header()->resizeSection(2, 150);
    for (const KeptVersion& article : m_deleted)
        new QTreeWidgetItem(lstDeleted,
                            {article.article.id, article.article.title,
                             ArticleHistory::shownTime(article.changedAt), article.changedBy});
    auto* label = new QLabel(m_deleted.isEmpty() ? QStringLiteral("&No deleted article is kept.")
                                                 : QStringLiteral("&Deleted articles, the latest "
                                                                  "first:"),
                             this);
    label->setObjectName(QStringLiteral("lblDeleted"));
    label->setBuddy(lstDeleted);

    cmdRestore = new QPushButton(QStringLiteral("&Restore"), this);
    cmdRestore->setObjectName(QStringLiteral("cmdRestore"));
    cmdRestore->setToolTip(QStringLiteral("Add the chosen article back as it was"));
    cmdRestore->setEnabled(!m_deleted.isEmpty());
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(cmdRestore, QDialogButtonBox::ActionRole);
    buttons->addButton(cmdClose, QDialogButtonBox::RejectRole);

    auto* page = new QVBoxLayout(this);
    page->addWidget(label);
    page->addWidget(lstDeleted, 1);
    page->addWidget(buttons);
    if (!m_deleted.isEmpty())
        lstDeleted->setCurrentItem(lstDeleted->topLevelItem(0));

    connect(lstDeleted, &QTreeWidget::itemActivated, cmdRestore, &QPushButton::click);
    connect(cmdRestore, &QPushButton::clicked, this, [this] {
        const int row = lstDeleted->indexOfTopLevelItem(lstDeleted->currentItem());
        if (row >= 0)
            Q_EMIT undeleteRequested(m_deleted.at(row).historyId);
    });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    resize(720, 420);
}
