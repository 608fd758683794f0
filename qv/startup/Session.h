#pragma once

#include "db/Connection.h"
#include "db/Recordset.h"
#include "security/LoginState.h"

#include <QStringList>
#include <memory>

// What the program keeps while it runs: the one database connection, the article set
// whose current row is the current article, the name lists read at start-up and who is
// logged in.
class Session
{
public:
    explicit Session(std::unique_ptr<Connection> connection);

    Connection& db() { return *m_connection; }
    Recordset& rsArticles() { return m_articles; }

    // Closes the article set (dropping pending changes) and opens it on the statement;
    // its first row is current.
    void reopenArticles(const QString& sql);

    QStringList CategoryNames;
    QStringList AuthorNames;
    LoginState login;
    bool AskBeforeSave = false;

private:
    std::unique_ptr<Connection> m_connection;
    Recordset m_articles;
};
