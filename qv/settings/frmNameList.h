#pragma once

#include "settings/NameListTable.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class Recordset;

// What the category and author list windows share: a list of the names of one table, the
// buttons to add, edit and delete a name, and the entry panel below (caption, name box,
// two OK buttons sharing one place, Cancel). While the window is open the article set
// holds the name table and the main window is blocked; every way of closing reopens the
// article set on the article table and emits closed(). Enter presses "&Add", Esc "&Close".
class frmNameList : public QDialog
{
    Q_OBJECT

public:
    // What tells the two windows apart.
    struct Design
    {
        const char* objectName;
        QString title;
        QString listCaption;
        QString query; // the name query, in list order
        QString field;
        const char* captionName;
        const char* editName;
        const char* deleteName;
        const char* editOkName;
        QString onlyMessage; // refuses to delete the last name
        QString articleQuery; // reopens the article set on closing
    };

Q_SIGNALS:
    // The window closed: the article set was reopened on the article table, first row
    // current, and the name table may have changed.
    void closed();

public Q_SLOTS:
    void done(int result) override;

protected:
    frmNameList(const Design& design, Connection& db, Recordset& articles, QWidget* mainWindow);

    // What the two windows do differently around an add and after an edit.
    virtual void startAdd() = 0;
    virtual void afterAdd() = 0;
    virtual void afterEdit() = 0;

    // Shows the caption, the name box and one of the OK buttons in their shared place.
    void showEntryPanel(const QString& caption, QPushButton* okButton);
    void hideEntryPanel();
    // Hides the panel, enables "&Add" and disables "&Edit" and "&Delete": what Cancel does.
    void closeEntryPanel();
    void setRowButtonsEnabled(bool enabled);

    QListWidget* List1 = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* lblName = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* cmdAddOk = nullptr;
    QPushButton* cmdEditOk = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void buildControls(const Design& design);
    QList<QWidget*> entryPanel() const;
    void refill();
    int selectedRow() const;
    // Runs a write; one the database refuses is reported. The list is refilled either way.
    void write(const std::function<void()>& change);
    void confirmAdd();
    void startEdit();
    void confirmEdit();
    void deleteSelected();

    NameListTable m_table;
    Connection& m_db;
    Recordset& m_articles;
    QString m_onlyMessage;
    QString m_articleQuery;
    bool m_restored = false;
};
