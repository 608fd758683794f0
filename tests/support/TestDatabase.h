#pragma once

#include <QString>
#include <QTemporaryDir>

// A database made for one test and gone with the object, reached by the tests without the
// layer under test: an SQLite file in a folder of its own, or a database of the PostgreSQL
// cluster whose folder QV_TEST_POSTGRESQL names (made by tests/support/pg-cluster, which
// writes the port into it). The same test then runs on either store.
class TestDatabase
{
public:
    enum class Engine
    {
        Sqlite,
        PostgreSql
    };
    // Empty, or with the tables of db/schema.sql (db/schema-postgresql.sql on the server).
    enum class Layout
    {
        Empty,
        Schema
    };

    // PostgreSQL when QV_TEST_POSTGRESQL is set, else SQLite.
    static Engine underTest();
    static bool onServer() { return underTest() == Engine::PostgreSql; }

    explicit TestDatabase(Layout layout = Layout::Schema, Engine engine = underTest());
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // What Connection::open takes: a file path (its name holds a blank) or an address.
    QString path() const { return m_path; }

    // Runs SQL text of any number of statements; false (with the engine's message as a
    // warning) when one fails. SQLite's char() is read as chr() on the server.
    bool run(const QString& sql) const;
    // The same for a file: a path, or a path under tests/data, whose PostgreSQL version (in
    // the folder "postgresql" beside it) is taken on the server when there is one.
    bool runFile(const QString& file) const;
    // The rows of a query, one a line, fields (NULL as "") joined by "|".
    QString query(const QString& sql) const;
    // The tables, views, indexes and triggers, one a line as "kind|lower-case name|definition".
    QString schema() const;

private:
    bool exec(const QString& database, const QString& sql, QString* output = nullptr) const;

    Engine m_engine;
    QTemporaryDir m_dir;
    QString m_name;
    QString m_path;
};
