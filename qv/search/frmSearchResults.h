#pragma once

#include "search/SearchContext.h"

#include <QDialog>
#include <QVariant>

#include <vector>

class QLabel;
class QListView;

// The results window: the matches of the last search in four lists side by side (title,
// number, initial entry, date edited), row k of each belonging to the k-th match. A
// double-click on a row, or a character key in a list, makes that match the current
// article and hides the window. A pick after the article set was reset or changed since
// the lists were filled says the results are out of date instead of showing another
// article.
class frmSearchResults : public QDialog
{
    Q_OBJECT

public:
    frmSearchResults(const SearchContext& context, QWidget* mainWindow);

    // Fills the window from the matches of the article set's filter and shows it. The set
    // is left past its last row.
    void build();

    static const QString OutOfDateMessage;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListView* addList(const char* name, QLabel* heading, int column);
    void FillResultLists();
    void readHeadings();
    // Makes the match of list row `row` (from 0) the current article.
    void pick(int row);
    // Makes the match of list row `row` the current row when the article set still holds
    // it there (the same filter, the same article at that position); false, with the
    // current row where it was, when the lists are out of date.
    bool moveToMatch(int row);

    const SearchContext m_context;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QListView* List1 = nullptr;
    QListView* List2 = nullptr;
    QListView* List4 = nullptr;
    QListView* List5 = nullptr;
    // The filter and the row keys the lists were filled from.
    QString m_filter;
    std::vector<QVariant> m_keys;
};
