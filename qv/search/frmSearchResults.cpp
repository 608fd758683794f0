#include "frmSearchResults.h"

#include "db/Recordset.h"
#include "startup/AppInfo.h"
#include "startup/Session.h"
#include "ui/Dialogs.h"
#include "ui/Mnemonic.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QStringListModel>

const QString frmSearchResults::OutOfDateMessage =
    QStringLiteral("The search results are out of date. Please search again.");

namespace {

const QString kKey = QStringLiteral("RecordID");

QLabel* heading(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

frmSearchResults::frmSearchResults(const SearchContext& context, QWidget* mainWindow)
    : QDialog(mainWindow), m_context(context)
{
    setObjectName(QStringLiteral("frmSearchResults"));
    setWindowTitle(QStringLiteral("Results"));
    new QGridLayout(this);
    Label1 = heading(this, "Label1", QStringLiteral("Title:"));
    Label2 = heading(this, "Label2", QStringLiteral("QV Number:"));
    Label4 = heading(this, "Label4", QStringLiteral("Initial Entry:"));
    Label5 = heading(this, "Label5", QStringLiteral("Date Edited:"));
    List1 = addList("List1", Label1, 0);
    List2 = addList("List2", Label2, 1);
    List4 = addList("List4", Label4, 2);
    List5 = addList("List5", Label5, 3);
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->setColumnStretch(0, 3);
    for (int column = 1; column < 4; ++column)
        grid->setColumnStretch(column, 1);
    resize(780, 320);
}

QListView* frmSearchResults::addList(const char* name, QLabel* heading, int column)
{
    // A list view over a string list: rows cost no more than their text.
    auto* list = new QListView(this);
    list->setObjectName(QLatin1String(name));
    list->setModel(new QStringListModel(list));
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformItemSizes(true);
    heading->setBuddy(list);
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->addWidget(heading, 0, column);
    grid->addWidget(list, 1, column);
    list->installEventFilter(this);
    connect(list, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { pick(index.row()); });
    return list;
}

void frmSearchResults::build()
{
    Recordset& articles = m_context.session.rsArticles();
    setWindowTitle(QStringLiteral("Results: ") + QString::number(articles.recordCount()));
    FillResultLists();
    readHeadings();
    show();
    raise();
    activateWindow();
}

void frmSearchResults::FillResultLists()
{
    Recordset& articles = m_context.session.rsArticles();
    m_filter = articles.filter();
    m_keys.clear();
    QStringList titles, numbers, entered, edited;
    articles.moveFirst();
    for (; !articles.isEof(); articles.moveNext()) {
        titles << articles.value(QStringLiteral("Title")).toString();
        numbers << articles.value(QStringLiteral("Id")).toString();
        entered << articles.value(QStringLiteral("InitialEntry")).toString();
        edited << articles.value(QStringLiteral("DateEdited")).toString();
        m_keys.push_back(articles.value(kKey));
    }
    const std::pair<QListView*, const QStringList*> columns[] = {
        {List1, &titles}, {List2, &numbers}, {List4, &entered}, {List5, &edited}};
    for (const auto& [list, values] : columns)
        static_cast<QStringListModel*>(list->model())->setStringList(*values);
}

void frmSearchResults::readHeadings()
{
    Recordset labels;
    labels.open(m_context.session.db(), QStringLiteral("SELECT * FROM Customize ORDER BY ID"));
    // The captions of the article number (first row) and of the title (fourth row); a
    // table without them leaves the design texts.
    QString used;
    if (labels.recordCount() >= 1)
        Label2->setText(labels.value(QStringLiteral("Labels")).toString());
    if (labels.recordCount() >= 4) {
        labels.setAbsolutePosition(4);
        Label1->setText(labels.value(QStringLiteral("Labels")).toString());
    }
    for (QLabel* label : {Label1, Label2, Label4, Label5})
        label->setText(Mnemonic::add(label->text(), used));
}

bool frmSearchResults::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Tab and Esc keep their work (next list, closing the window); every other key that
    // types a character picks.
    const bool picks = !key->text().isEmpty() && key->key() != Qt::Key_Tab &&
                       key->key() != Qt::Key_Backtab && key->key() != Qt::Key_Escape;
    if (!picks)
        return QDialog::eventFilter(watched, event);
    const QModelIndexList selected =
        static_cast<QListView*>(watched)->selectionModel()->selectedIndexes();
    if (!selected.isEmpty())
        pick(selected.first().row());
    return true;
}

void frmSearchResults::pick(int row)
{
    if (!moveToMatch(row)) {
        hide();
        dialogs().inform(OutOfDateMessage, AppInfo::kTitle, m_context.mainWindow);
        return;
    }
    m_context.Display_Data();
    hide();
}

bool frmSearchResults::moveToMatch(int row)
{
    Recordset& articles = m_context.session.rsArticles();
    if (articles.filter() != m_filter || row >= articles.recordCount() || row >= int(m_keys.size()))
        return false;
    const int before = articles.absolutePosition();
    articles.setAbsolutePosition(row + 1);
    if (articles.value(kKey) == m_keys[size_t(row)])
        return true;
    if (before >= 1)
        articles.setAbsolutePosition(before);
    return false;
}
