#include "RunningQuorvel.h"

#include "ArticleFixture.h"
#include "SqlScript.h"
#include "mainwindow/frmMain.h"
#include "startup/Session.h"

#include <QAction>

RunningQuorvel::RunningQuorvel(int articles, const QString& extraSql)
    : m_database(m_folder.createDatabase(ArticleFixture::sql(articles) + extraSql))
{
}

RunningQuorvel::~RunningQuorvel() = default;

bool RunningQuorvel::start()
{
    m_program = Program();
    m_program = Main();
    return m_program.mainWindow != nullptr;
}

frmMain& RunningQuorvel::main()
{
    return *m_program.mainWindow;
}

frmDisplay& RunningQuorvel::display()
{
    return *main().display();
}

Recordset& RunningQuorvel::articles()
{
    return session().rsArticles();
}

QAction* RunningQuorvel::action(const char* name)
{
    return main().findChild<QAction*>(QLatin1String(name));
}

void RunningQuorvel::trigger(const char* name)
{
    action(name)->trigger();
}

QStringList RunningQuorvel::rows(const QString& sql) const
{
    return SqlScript::rows(m_database, sql);
}
