#include "Session.h"

Session::Session(std::unique_ptr<Connection> connection) : m_connection(std::move(connection)) {}

void Session::reopenArticles(const QString& sql)
{
    // Opening closes the set first, which drops its filter and pending changes.
    m_articles.open(*m_connection, sql);
}
