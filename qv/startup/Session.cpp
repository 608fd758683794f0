#include "Session.h"

Session::Session(std::unique_ptr<Connection> connection) : m_connection(std::move(connection)) {}

void Session::reopenArticles(const QString& sql)
{
    if (m_articles.isOpen()) {
        m_articles.setFilter(QString());
        m_articles.close();
    }
    m_articles.open(*m_connection, sql);
}
