#include "frmSearch.h"

#include "db/DbError.h"
#include "db/Recordset.h"
#include "search/SearchCriterion.h"
#include "startup/AppInfo.h"
#include "startup/Session.h"
#include "ui/Dialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

const QString frmSearch::NoMatchMessage = QStringLiteral("No match found.");
const QString frmSearch::ErrorMessage =
    QStringLiteral("A search error occured. Please try again. Error Code: S-1.");

namespace {

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The prompt with its mnemonic: "S&earch Title:" (the buttons hold S and C, the field
// caption B).
QString promptCaption(const QString& prompt)
{
    return prompt.left(1) + QLatin1Char('&') + prompt.mid(1);
}

} // namespace

frmSearch::frmSearch(const SearchContext& context, QWidget* mainWindow)
    : QDialog(mainWindow), m_context(context)
{
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(QStringLiteral("Search Quorvel"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    buildControls();
    cboSearchBy->addItems(SearchCriterion::choices());
    cboSearchBy->setCurrentIndex(-1);
    loadCategories();
    cboSearchString->setCurrentIndex(-1);
    connect(cboSearchBy, qOverload<int>(&QComboBox::activated), this,
            &frmSearch::cboSearchBy_Click);
    connect(cmdSearch, &QPushButton::clicked, this, &frmSearch::cmdSearch_Click);
    connect(Command1, &QPushButton::clicked, this, &QDialog::reject);
}

void frmSearch::buildControls()
{
    lblSearchBy = named(new QLabel(QStringLiteral("Search &By:"), this), "lblSearchBy");
    cboSearchBy = named(new QComboBox(this), "cboSearchBy");
    lblSearchString =
        named(new QLabel(promptCaption(QStringLiteral("Search:")), this), "lblSearchString");
    txtSearchString = named(new QLineEdit(this), "txtSearchString");
    cboSearchString = named(new QComboBox(this), "cboSearchString");
    // Both take typed text as it stands: no completion from the list, nothing added to it.
    for (QComboBox* box : {cboSearchBy, cboSearchString}) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
    }
    cboSearchString->hide();
    lblSearchBy->setBuddy(cboSearchBy);
    lblSearchString->setBuddy(txtSearchString);
    cmdSearch = named(new QPushButton(QStringLiteral("&Search"), this), "cmdSearch");
    cmdSearch->setDefault(true);
    Command1 = named(new QPushButton(QStringLiteral("&Cancel"), this), "Command1");
    Command1->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblSearchBy, 0, 0);
    grid->addWidget(cboSearchBy, 0, 1);
    grid->addWidget(lblSearchString, 1, 0);
    // The text box and the category list share one place; one of them is shown.
    grid->addWidget(txtSearchString, 1, 1);
    grid->addWidget(cboSearchString, 1, 1);
    grid->setColumnMinimumWidth(1, 260);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSearch);
    buttons->addWidget(Command1);
    grid->addLayout(buttons, 2, 0, 1, 2);
}

void frmSearch::loadCategories()
{
    const QString shown = cboSearchString->currentText();
    cboSearchString->clear();
    cboSearchString->addItems(m_context.session.CategoryNames);
    cboSearchString->setEditText(shown);
}

void frmSearch::cboSearchBy_Click(int index)
{
    const QString choice = cboSearchBy->itemText(index);
    const bool category = SearchCriterion::readsCategory(choice);
    txtSearchString->setVisible(!category);
    cboSearchString->setVisible(category);
    lblSearchString->setBuddy(category ? static_cast<QWidget*>(cboSearchString) : txtSearchString);
    if (const std::optional<QString> prompt = SearchCriterion::prompt(choice))
        lblSearchString->setText(promptCaption(*prompt));
}

void frmSearch::cmdSearch_Click()
{
    hide();
    // Nothing typed and no category: nothing happens (before the article set moves, so
    // that the article window keeps showing the current row).
    if (txtSearchString->text().isEmpty() && cboSearchString->currentText().isEmpty())
        return;
    try {
        const QString choice = cboSearchBy->currentText();
        runSearch(SearchCriterion::build(choice, cboSearchString->currentText(),
                                         txtSearchString->text()),
                  SearchCriterion::markedText(choice, txtSearchString->text()));
    } catch (const DbError&) {
        dialogs().inform(ErrorMessage, AppInfo::kTitle, m_context.mainWindow);
    }
}

void frmSearch::runSearch(const QString& criterion, const QString& marked)
{
    Recordset& articles = m_context.session.rsArticles();
    articles.moveFirst();
    articles.setFilter(criterion);
    if (articles.isEof() || articles.isBof()) {
        dialogs().inform(NoMatchMessage, AppInfo::kTitle, m_context.mainWindow);
        m_context.ResetArticleSet();
        m_context.Display_Data();
        return;
    }
    Q_EMIT matchesFound();
    articles.moveFirst();
    m_context.markSearchText(marked);
    m_context.Display_Data();
}
