#pragma once

#include "search/SearchContext.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The search dialog: a field to look in ("Search By:"), a text or, for the category, a
// category name, and "&Search", which narrows the article set to the matches with a filter
// that stays until the set is reset. A search only hides the dialog, which keeps its
// choice and text for the next showing; "&Cancel" (Esc) and closing destroy it. While it
// is shown the main window is blocked.
class frmSearch : public QDialog
{
    Q_OBJECT

public:
    frmSearch(const SearchContext& context, QWidget* mainWindow);

    // Fills the category list from the current category names, keeping the text shown.
    void loadCategories();

    static const QString NoMatchMessage;
    static const QString ErrorMessage;

Q_SIGNALS:
    // The filter found matches: the results window is to list them. The article set's
    // current row may be anywhere afterwards; the search moves back to the first match.
    void matchesFound();

private:
    void buildControls();
    // Sets the prompt caption and the input shown for the chosen field.
    void cboSearchBy_Click(int index);
    void cmdSearch_Click();
    // Applies the filter and shows the outcome, the matches with the marked text marked; a
    // DbError is left to the caller.
    void runSearch(const QString& criterion, const QString& marked);

    const SearchContext m_context;
    QLabel* lblSearchBy = nullptr;
    QComboBox* cboSearchBy = nullptr;
    QLabel* lblSearchString = nullptr;
    QLineEdit* txtSearchString = nullptr;
    QComboBox* cboSearchString = nullptr;
    QPushButton* cmdSearch = nullptr;
    QPushButton* Command1 = nullptr;
};
