#include "SearchWindows.h"

#include "search/frmGoTo.h"
#include "search/frmSearch.h"
#include "search/frmSearchResults.h"

#include <QAction>

SearchWindows::SearchWindows(SearchContext context, QObject* parent)
    : QObject(parent), m_context(std::move(context))
{
}

void SearchWindows::attach(QAction* search, QAction* goTo)
{
    search->setShortcuts({Qt::Key_F2, Qt::CTRL | Qt::Key_F});
    connect(search, &QAction::triggered, this, &SearchWindows::openSearch);
    connect(goTo, &QAction::triggered, this, &SearchWindows::openGoTo);
}

void SearchWindows::openSearch()
{
    if (!m_search) {
        m_search = new frmSearch(m_context, m_context.mainWindow);
        connect(m_search, &frmSearch::matchesFound, this, &SearchWindows::showResults);
    }
    m_search->loadCategories();
    m_search->show();
    m_search->raise();
    m_search->activateWindow();
}

void SearchWindows::showResults()
{
    if (!m_results)
        m_results = new frmSearchResults(m_context, m_context.mainWindow);
    m_results->build();
}

void SearchWindows::openGoTo()
{
    if (!m_goTo) {
        m_goTo = new frmGoTo(m_context, m_context.mainWindow);
        // The failed dialog has closed and goes; a fresh one takes its place.
        connect(m_goTo, &frmGoTo::failed, this, [this] {
            m_goTo = nullptr;
            openGoTo();
        });
    }
    m_goTo->show();
    m_goTo->raise();
    m_goTo->activateWindow();
}
