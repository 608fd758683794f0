#include "frmMain.h"

#include "db/Recordset.h"
#include "editor/EditorFont.h"
#include "editor/frmCustomizeLabels.h"
#include "editor/frmDisplay.h"
#include "history/HistoryCommands.h"
#include "mainwindow/ArticleCommands.h"
#include "mainwindow/ArticleNavigation.h"
#include "mainwindow/BackupCommand.h"
#include "mainwindow/RightsGate.h"
#include "output/OutputCommands.h"
#include "profile/Prefs.h"
#include "search/SearchWindows.h"
#include "security/PasswordSwitch.h"
#include "security/frmLogin.h"
#include "settings/General.h"
#include "settings/UserGuide.h"
#include "settings/UserPrefs.h"
#include "settings/frmDataPath.h"
#include "settings/frmPrefs.h"
#include "settings/frmRun.h"
#include "settings/frmSetupCG.h"
#include "settings/frmSetupUsers.h"
#include "shell/Shell.h"
#include "startup/AppInfo.h"
#include "startup/DailyBackup.h"
#include "startup/NameLists.h"
#include "startup/Session.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

namespace {

struct ToolButton
{
    int position;
    const char* name;
    const char* toolTip;
    const char* themeIcon;
    QStyle::StandardPixmap fallback; // used when no bundled picture is named
    const char* bundledIcon;
    const char* command; // the menu item that runs the same command
};

// Positions 5, 8 and 13 are separators.
const ToolButton kToolButtons[] = {
    {1, "New", "Add New Article - Ctrl + N", "document-new", QStyle::SP_FileIcon, nullptr,
     "mnuAdd"},
    {2, "Save", "Save Article - Ctrl + S ", "document-save", QStyle::SP_DialogSaveButton,
     nullptr, "mnuSave"},
    {3, "Delete", "Delete Article - Ctrl + D", "edit-delete", QStyle::SP_TrashIcon, nullptr,
     "mnuDelete"},
    {4, "Print", "Print Article - Ctrl + P", "document-print", QStyle::SP_CustomBase,
     ":/icons/print.png", "mnuPrint"},
    {6, "Search", "Search - F2", "edit-find", QStyle::SP_CustomBase, ":/icons/search.png",
     "mnuSearch"},
    {7, "Refresh ", "Refresh All/Reload Database - F5", "view-refresh", QStyle::SP_BrowserReload,
     nullptr, "mnuRefresh"},
    {9, "First ", "First Article - Ctrl + F1", "go-first", QStyle::SP_MediaSkipBackward, nullptr,
     "mnuFirst"},
    {10, "Previous", "Previous Article - Ctrl + F2", "go-previous", QStyle::SP_ArrowBack, nullptr,
     "mnuPrevious"},
    {11, "Next", "Next Article - Ctrl + F3", "go-next", QStyle::SP_ArrowForward, nullptr,
     "mnuNext"},
    {12, "Last", "Last Article - Ctrl + F4", "go-last", QStyle::SP_MediaSkipForward, nullptr,
     "mnuLast"},
};


} // namespace

frmMain::frmMain(Session& session, QWidget* parent) : QMainWindow(parent), m_session(session)
{
    // The toolbar's bundled pictures live in this static library.
    Q_INIT_RESOURCE(mainwindow);
    setObjectName(QStringLiteral("frmMain"));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdi);
    buildMenus();
    buildToolbar();

    // Load: the article window inside the frame, then the caption from the preferences.
    m_display = new frmDisplay(session);
    m_articles = std::make_unique<ArticleCommands>(session, *m_display, [this] { reload(); },
                                                   this);
    m_history =
        std::make_unique<HistoryCommands>(session, *this, [this] { return mayLeaveArticle(); });
    connectCommands();
    connectSettingsCommands();
    (new SearchWindows({session, this, [this] { Display_Data(); }, [this] { ResetArticleSet(); },
                        [this](const QString& text) { m_display->markSearchText(text); }},
                       this))
        ->attach(command("mnuSearch"), command("mnuGoTo"));
    new OutputCommands(session, *m_display, *this);
    m_displayWindow = m_mdi->addSubWindow(m_display);
    // Restored, the article window never gets smaller than its controls need.
    m_displayWindow->setMinimumSize(m_displayWindow->minimumSizeHint());
    // The sub-window's own menu would take Ctrl+F4 and Ctrl+W from Last Article and the
    // HTML export.
    for (QAction* item : m_displayWindow->systemMenu()->actions())
        item->setShortcuts({});
    connect(m_displayWindow, &QMdiSubWindow::windowStateChanged, this,
            &frmMain::titleArticleWindow);
    m_displayWindow->showMaximized();
    connect(m_display, &frmDisplay::closeRequested, this, &frmMain::exitProgram);
    Display_Data();
    m_session.AskBeforeSave = true;
    new DailyBackup(session.db(), this);
    setCaption(ReadPref(QStringLiteral("UserPrefs"), QStringLiteral("TitleBar")));
    m_toolbar->setVisible(UserPrefs::toolbarShown());
    resize(1000, 760);
}

void frmMain::setCaption(const QString& caption)
{
    m_caption = caption;
    // The platform puts the program's name into a caption left empty: a blank stays blank.
    setWindowTitle(caption.isEmpty() ? QStringLiteral(" ") : caption);
}

void frmMain::titleArticleWindow()
{
    if (!m_displayWindow->isMaximized()) {
        m_displayWindow->setWindowTitle(QStringLiteral("Quorvel Article"));
        return;
    }
    // Maximized, its title would be added to the frame's caption, which stays as set.
    m_displayWindow->setWindowTitle(QString());
    setCaption(m_caption);
}

frmMain::~frmMain() = default;

QAction* frmMain::addItem(QMenu* menu, const char* name, const QString& caption,
                          const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

void frmMain::addSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

QAction* frmMain::command(const char* name) const
{
    return findChild<QAction*>(QLatin1String(name));
}

void frmMain::buildMenus()
{
    auto menu = [this](const char* name, const QString& title) {
        QMenu* m = menuBar()->addMenu(title);
        m->setObjectName(QLatin1String(name));
        return m;
    };

    QMenu* file = menu("mnuFile", QStringLiteral("&File"));
    addItem(file, "mnuAdd", QStringLiteral("&Add New Article"), Qt::CTRL | Qt::Key_N);
    addItem(file, "mnuSave", QStringLiteral("&Save Article"), Qt::CTRL | Qt::Key_S);
    addItem(file, "mnuDelete", QStringLiteral("&Delete Article"), Qt::CTRL | Qt::Key_D);
    addItem(file, "mnuHistory", QStringLiteral("Article &History..."));
    addItem(file, "mnuDeleted", QStringLiteral("D&eleted Articles..."));
    addItem(file, "mnuPrint", QStringLiteral("&Print Article"), Qt::CTRL | Qt::Key_P);
    addSeparator(file, "mnuFileDiv4");
    addItem(file, "mnuRefresh", QStringLiteral("Refresh"), Qt::Key_F5);
    addItem(file, "mnuLength", QStringLiteral("Article Length"), Qt::Key_F9);
    addSeparator(file, "mnuFileDivide2");
    addItem(file, "mnuHTMLCurrent", QStringLiteral("Generate HTML For Article"),
            Qt::CTRL | Qt::Key_H);
    addItem(file, "mnuHTMLAll", QStringLiteral("Generate HTML For ALL Articles"),
            Qt::CTRL | Qt::Key_W);
    addItem(file, "mnuBackup", QStringLiteral("&Back Up Database..."));
    addSeparator(file, "mnuFileDivide3");
    addItem(file, "mnuFirst", QStringLiteral("&First Article"), Qt::CTRL | Qt::Key_F1);
    addItem(file, "mnuPrevious", QStringLiteral("Previous Article"), Qt::CTRL | Qt::Key_F2);
    addItem(file, "mnuNext", QStringLiteral("Next Article"), Qt::CTRL | Qt::Key_F3);
    addItem(file, "mnuLast", QStringLiteral("Last Article"), Qt::CTRL | Qt::Key_F4);
    addItem(file, "mnuGoTo", QStringLiteral("&Go To Record..."), Qt::CTRL | Qt::Key_G);
    addSeparator(file, "mnuFileDivide1");
    addItem(file, "mnuSearch", QStringLiteral("Sea&rch"), Qt::Key_F2);
    addItem(file, "mnuExit", QStringLiteral("E&xit"));

    QMenu* setup = menu("mnuSetup", QStringLiteral("&Setup"));
    QMenu* passwords = setup->addMenu(QStringLiteral("&Passwords"));
    passwords->setObjectName(QStringLiteral("mnuPasswords"));
    addItem(passwords, "mnuEnablePasswords", QStringLiteral("Enable Passwords"));
    addItem(passwords, "mnuPassSetup", QStringLiteral("&Setup Users For Passwords"));
    addItem(setup, "mnuCategories", QStringLiteral("&Categories"), Qt::Key_F3);
    addItem(setup, "mnuUsers", QStringLiteral("&Users"), Qt::Key_F4);
    addItem(setup, "mnuData", QStringLiteral("&Database Path"), Qt::CTRL | Qt::Key_F5);
    addItem(setup, "mnuLabels", QStringLiteral("Customize &Labels"), Qt::Key_F6);
    addItem(setup, "mnuSetupFont", QStringLiteral("&Font"), Qt::Key_F7);
    addSeparator(setup, "mnuSetupSep1");
    addItem(setup, "mnuPrefs", QStringLiteral("&Preferences"), Qt::Key_F8);

    // Tools and Reports are switched off: shown greyed, they cannot be opened, and their
    // items, Ctrl+R included, are out of reach.
    QMenu* tools = menu("mnuTools", QStringLiteral("&Tools"));
    addItem(tools, "mnuRun", QStringLiteral("&Run"), Qt::CTRL | Qt::Key_R);
    tools->menuAction()->setEnabled(false);
    QMenu* reports = menu("mnuReports", QStringLiteral("&Reports"));
    addItem(reports, "mnuReportCat", QStringLiteral("Articles By Category"));
    addItem(reports, "mnuReportTech", QStringLiteral("Articles By Technician"));
    reports->menuAction()->setEnabled(false);

    QMenu* help = menu("mnuHelp", QStringLiteral("&Help"));
    addItem(help, "mnuHelpSupport", QStringLiteral("Orvane Website | Support Page"));
    addItem(help, "mnuGen", QStringLiteral("&General Info"));
    addItem(help, "mnuMan", QStringLiteral("&User's Guide"), Qt::Key_F1);
    addSeparator(help, "mnuHelpHy1");
    addItem(help, "mnuAbout", QStringLiteral("&About Quorvel..."));

    QAction* newsletter = menuBar()->addAction(QStringLiteral("Newsletter"));
    newsletter->setObjectName(QStringLiteral("mnuNewsletter"));
}

void frmMain::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("tlbTool"));
    m_toolbar->setMovable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    int position = 1;
    for (const ToolButton& button : kToolButtons) {
        for (; position < button.position; ++position)
            m_toolbar->addSeparator();
        const QIcon fallback = button.bundledIcon
                                   ? QIcon(QLatin1String(button.bundledIcon))
                                   : style()->standardIcon(button.fallback);
        QAction* action = m_toolbar->addAction(
            QIcon::fromTheme(QLatin1String(button.themeIcon), fallback),
            QLatin1String(button.name));
        action->setObjectName(QStringLiteral("tlbTool%1").arg(button.position));
        action->setToolTip(QLatin1String(button.toolTip));
        QAction* menuItem = command(button.command);
        connect(action, &QAction::triggered, menuItem, &QAction::trigger);
        connect(menuItem, &QAction::enabledChanged, action, &QAction::setEnabled);
        ++position;
    }
    m_toolbar->addSeparator(); // position 13
}

void frmMain::connectCommands()
{
    connect(command("mnuAdd"), &QAction::triggered, this, [this] { m_articles->NewArticle(); });
    connect(command("mnuSave"), &QAction::triggered, this, [this] { m_articles->SaveArticle(); });
    connect(command("mnuDelete"), &QAction::triggered, this,
            [this] { m_articles->DeleteArticle(); });
    connect(command("mnuHistory"), &QAction::triggered, this, [this] { m_history->showHistory(); });
    connect(command("mnuDeleted"), &QAction::triggered, this, [this] { m_history->showDeleted(); });
    connect(command("mnuFirst"), &QAction::triggered, this, &frmMain::moveFirst);
    connect(command("mnuPrevious"), &QAction::triggered, this, &frmMain::movePrevious);
    connect(command("mnuNext"), &QAction::triggered, this, &frmMain::moveNext);
    connect(command("mnuLast"), &QAction::triggered, this, &frmMain::moveLast);
    connect(command("mnuRefresh"), &QAction::triggered, this, &frmMain::refresh);
    connect(command("mnuExit"), &QAction::triggered, this, &frmMain::exitProgram);
    connect(command("mnuBackup"), &QAction::triggered, this,
            [this] { BackupCommand::run(m_session.db(), this); });
    connect(command("mnuSetupFont"), &QAction::triggered, this, &frmMain::setupFont);
    connect(command("mnuEnablePasswords"), &QAction::triggered, this,
            &frmMain::mnuEnablePasswords_Click);
    connect(command("mnuPassSetup"), &QAction::triggered, this, &frmMain::mnuPassSetup_Click);
    connect(command("mnuAbout"), &QAction::triggered, this, &frmMain::showAbout);
    connect(command("mnuHelpSupport"), &QAction::triggered, this,
            [] { shell().openDocument(AppInfo::supportPageAddress()); });
    connect(command("mnuNewsletter"), &QAction::triggered, this,
            [] { shell().openDocument(AppInfo::newsletterPageAddress()); });
}

void frmMain::connectSettingsCommands()
{
    const auto gated = [this](const char* name, const QString& readOnlyMessage,
                              std::function<void()> open) {
        connect(command(name), &QAction::triggered, this, [this, readOnlyMessage, open] {
            if (RightsGate::allows(m_session.login, readOnlyMessage, this))
                open();
        });
    };
    gated("mnuCategories", frmSetupCG::ReadOnlyMessage, [this] {
        openNameList(new frmSetupCG(m_session.db(), m_session.rsArticles(), this));
    });
    gated("mnuUsers", frmSetupUsers::ReadOnlyMessage, [this] {
        openNameList(new frmSetupUsers(m_session.db(), m_session.rsArticles(), this));
    });
    gated("mnuData", frmDataPath::ReadOnlyMessage,
          [this] { (new frmDataPath(this, [this] { exitProgram(); }))->show(); });
    gated("mnuLabels", frmCustomizeLabels::ReadOnlyMessage, [this] { customizeLabels(); });
    connect(command("mnuPrefs"), &QAction::triggered, this,
            [this] {
                auto* prefs = new frmPrefs(this, m_toolbar);
                connect(prefs, &frmPrefs::captionSaved, this, &frmMain::setCaption);
                prefs->show();
            });
    connect(command("mnuGen"), &QAction::triggered, this, [this] {
        (new General(m_session.rsArticles().recordCount(), this))->show();
    });
    connect(command("mnuRun"), &QAction::triggered, this, [this] {
        if (!m_run)
            m_run = new frmRun(this);
        m_run->show();
    });
    connect(command("mnuMan"), &QAction::triggered, this, &UserGuide::open);
}

void frmMain::customizeLabels()
{
    if (!m_labels) {
        m_labels = new frmCustomizeLabels(m_session.db(), this);
        connect(m_labels, &frmCustomizeLabels::captionsSaved, m_display,
                &frmDisplay::setCaptions);
    }
    m_labels->show();
}

void frmMain::openNameList(frmNameList* window)
{
    connect(window, &frmNameList::closed, this, [this] {
        m_session.CategoryNames = NameLists::load(m_session.db(), NameLists::Categories);
        m_session.AuthorNames = NameLists::load(m_session.db(), NameLists::Authors);
        m_display->FillNameLists();
        Display_Data();
    });
    window->show();
}

void frmMain::Display_Data()
{
    Recordset& articles = m_session.rsArticles();
    bool skipped = false;
    const std::optional<Article> article =
        ArticleNavigation::readShown(articles, m_direction, &skipped);
    m_display->showArticle(article.value_or(Article()), article ? articles.absolutePosition() : 0);
    if (skipped)
        dialogs().inform(QStringLiteral("This article was deleted by another user. Press Refresh "
                                        "to reload the articles."),
                         QStringLiteral("Quorvel"), this);
}

void frmMain::ResetArticleSet()
{
    m_display->markSearchText(QString());
    m_session.reopenArticles(QStringLiteral("SELECT * FROM QV"));
}

void frmMain::moveFirst()
{
    m_direction = 1;
    ArticleNavigation::first(m_session.rsArticles());
    Display_Data();
}

void frmMain::movePrevious()
{
    m_direction = -1;
    ArticleNavigation::previous(m_session.rsArticles());
    Display_Data();
}

void frmMain::moveNext()
{
    m_direction = 1;
    ArticleNavigation::next(m_session.rsArticles());
    Display_Data();
}

void frmMain::moveLast()
{
    m_direction = -1;
    ArticleNavigation::last(m_session.rsArticles());
    Display_Data();
}

void frmMain::refresh()
{
    if (!mayLeaveArticle())
        return;
    reload();
}

void frmMain::reload()
{
    ResetArticleSet();
    Display_Data();
}

bool frmMain::mayLeaveArticle()
{
    if (!m_display->isModified())
        return true;
    const Dialogs::Answer answer = dialogs().message(
        {QStringLiteral("Save changes to this article before closing?"), AppInfo::kTitle,
         Dialogs::Buttons::YesNoCancel, Dialogs::Icon::Question, std::nullopt},
        this);
    if (answer == Dialogs::Answer::Cancel)
        return false;
    return answer != Dialogs::Answer::Yes || m_articles->SaveArticle();
}

bool frmMain::exitProgram()
{
    if (!mayLeaveArticle())
        return false;
    dialogs().endProgram();
    return true;
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (exitProgram())
        event->accept();
    else
        event->ignore();
}

void frmMain::setupFont()
{
    QFont preset = m_display->plainCopyFont();
    const QString name = ReadPref(QStringLiteral("Font"), QStringLiteral("Font"));
    if (!name.isEmpty())
        preset.setFamily(name);
    const std::optional<QFont> chosen = dialogs().font(preset, this);
    if (!chosen)
        return;
    m_display->setPlainCopyFont(*chosen);
    if (!EditorFont::save(*chosen))
        UserPrefs::reportUnsaved(this);
}

namespace {
const QString kCantAccessPasswords =
    QStringLiteral("Can't access passwords. The current user rights are set to read only.");
}

void frmMain::mnuEnablePasswords_Click()
{
    if (!RightsGate::allows(m_session.login, kCantAccessPasswords, this))
        return;
    QAction* item = command("mnuEnablePasswords");
    const PasswordSwitch::Turned turned = PasswordSwitch::turn(m_session.db(), item->text());
    dialogs().inform(turned.message, AppInfo::kTitle, this);
    item->setText(turned.caption);
}

void frmMain::mnuPassSetup_Click()
{
    if (!RightsGate::allows(m_session.login, kCantAccessPasswords, this))
        return;
    loginWindow().show();
    loginWindow().activateWindow();
}

frmLogin& frmMain::loginWindow()
{
    if (!m_login)
        m_login = std::make_unique<frmLogin>(m_session, *this);
    return *m_login;
}

void frmMain::showAbout()
{
    dialogs().message({QStringLiteral("Quorvel ") + AppInfo::version() +
                           QStringLiteral("\n\nA knowledge base for help-desk and support teams: "
                                          "keep, find and share your support articles."),
                       QStringLiteral("About Quorvel"), Dialogs::Buttons::Ok,
                       Dialogs::Icon::Information, std::nullopt},
                      this);
}
