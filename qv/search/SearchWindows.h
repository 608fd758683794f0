#pragma once

#include "search/SearchContext.h"

#include <QObject>
#include <QPointer>

class QAction;
class frmGoTo;
class frmSearch;
class frmSearchResults;

// Owns the search dialog, the results window and the go-to dialog of one main window and
// opens them from its commands.
class SearchWindows : public QObject
{
    Q_OBJECT

public:
    explicit SearchWindows(SearchContext context, QObject* parent = nullptr);

    // The search command opens the search dialog (with F2 and Ctrl+F), the go-to command
    // the go-to dialog.
    void attach(QAction* search, QAction* goTo);

    // Shows the search dialog, made first when there is none; its category list is read
    // again from the current names.
    void openSearch();
    // Shows the go-to dialog, made first (with "1" selected) when there is none.
    void openGoTo();

private:
    void showResults();

    SearchContext m_context;
    QPointer<frmSearch> m_search;
    QPointer<frmSearchResults> m_results;
    QPointer<frmGoTo> m_goTo;
};
