#pragma once

#include <QMainWindow>
#include <memory>

class ArticleCommands;
class HistoryCommands;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class Session;
class frmCustomizeLabels;
class frmDisplay;
class frmLogin;
class frmNameList;
class frmRun;

// The main window: a frame holding the article window, with the menus, the toolbar and
// the keyboard shortcuts through which every command is reached.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(Session& session, QWidget* parent = nullptr);
    ~frmMain() override;

    // Copies the current row of the article set into the article window.
    void Display_Data();
    // Clears any filter and reopens the article set on the whole table, first row current.
    void ResetArticleSet();

    frmDisplay* display() const { return m_display; }
    ArticleCommands& articleCommands() { return *m_articles; }

    // Sets the frame's caption (the TitleBar preference).
    void setCaption(const QString& caption);
    QToolBar* toolbar() const { return m_toolbar; }
    // The login window, made at its first showing and kept for the rest of the run.
    frmLogin& loginWindow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {});
    void addSeparator(QMenu* menu, const char* name);
    QAction* command(const char* name) const;
    void connectCommands();
    void connectSettingsCommands();
    // Shows a list window; when it closes the name lists are read again and the current
    // article shown.
    void openNameList(frmNameList* window);
    // The labels dialog, made at its first showing and kept for the rest of the run.
    void customizeLabels();

    void moveFirst();
    void movePrevious();
    void moveNext();
    void moveLast();
    // Refresh: offers unsaved edits for saving first, then reloads.
    void refresh();
    // Reopens the article set and shows its first article.
    void reload();
    // Unsaved edits are offered for saving: false when the user chose to stay with them
    // (or their save failed).
    bool mayLeaveArticle();
    // Ends the program; unsaved edits are offered for saving first. False when the user
    // chose to stay.
    bool exitProgram();
    void setupFont();
    void mnuEnablePasswords_Click();
    void mnuPassSetup_Click();
    void showAbout();
    // "Quorvel Article" on the article window's own frame; none while maximized.
    void titleArticleWindow();

    Session& m_session;
    // The direction of the last move (1 onwards, -1 back): a row another program deleted is
    // passed over that way.
    int m_direction = 1;
    QMdiArea* m_mdi = nullptr;
    frmDisplay* m_display = nullptr;
    QMdiSubWindow* m_displayWindow = nullptr;
    QToolBar* m_toolbar = nullptr;
    std::unique_ptr<ArticleCommands> m_articles;
    std::unique_ptr<HistoryCommands> m_history;
    std::unique_ptr<frmLogin> m_login;
    QString m_caption;
    frmRun* m_run = nullptr;
    frmCustomizeLabels* m_labels = nullptr;
};
