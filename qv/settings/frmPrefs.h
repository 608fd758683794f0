#pragma once

#include <QDate>
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolBar;

// The preferences dialog: the main window's title, the date format of new articles,
// whether attachments open in the built-in viewer, whether the toolbar is shown and how
// many days of article versions are kept. Each
// opening reads the preferences file afresh; OK writes them, hands the title on, applies
// the toolbar and closes. The values are written all or none; a write that fails is
// reported and the dialog stays open. The main window is blocked while the dialog is open.
class frmPrefs : public QDialog
{
    Q_OBJECT

public:
    // `today` is the date the format rows show.
    frmPrefs(QWidget* mainWindow, QToolBar* toolbar, const QDate& today = QDate::currentDate());

Q_SIGNALS:
    // The title saved for the main window, for the main window to show.
    void captionSaved(const QString& caption);

private:
    void buildControls();
    void load(const QDate& today);
    void save();

    QToolBar* m_toolbar;
    QLineEdit* Text1 = nullptr;
    QListWidget* List1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* chkToolbar = nullptr;
    QSpinBox* spnKeepVersions = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
};
