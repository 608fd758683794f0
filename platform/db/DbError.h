#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <exception>

// Every failure of the database layer: the engine's or the layer's own, with the number and
// description the program shows. The numbers are those the program tests and reports.
class DbError : public std::exception
{
public:
    // A name in the statement the engine cannot resolve (unknown column or parameter).
    static constexpr qint64 UnknownName = -2147217904;
    // A table or query the engine cannot find.
    static constexpr qint64 UnknownTable = -2147217865;
    // The store cannot be used: missing file, not a database, locked, read-only, disk full.
    static constexpr qint64 StoreFailure = -2147467259;
    // The optimistic check of a batch write found a row changed or gone since it was read.
    static constexpr qint64 RowChanged = -2147217864;
    // The row was deleted by another program since the set was opened.
    static constexpr qint64 RowDeleted = -2147217885;
    // Any other error the engine reports about a statement.
    static constexpr qint64 StatementFailed = -2147217900;
    // A field was read or written with no current row (BOF, EOF or a deleted row).
    static constexpr qint64 NoCurrentRow = -2146825267;
    // An argument out of range: a position outside the set, a criterion that cannot be read.
    static constexpr qint64 BadArgument = -2146825287;
    // A field name the recordset does not have.
    static constexpr qint64 UnknownField = -2146825023;
    // The rows of this recordset cannot be written (a view or a query over several tables).
    static constexpr qint64 NotUpdatable = -2146825037;
    // The recordset or connection is not open.
    static constexpr qint64 ObjectClosed = -2146824584;

    // Whether the store was still locked by another program when the wait for it ended, or
    // refused the file itself.
    enum class Cause { Other, Locked };

    DbError(qint64 number, const QString& description, Cause cause = Cause::Other);

    qint64 number() const { return m_number; }
    QString description() const { return m_description; }
    Cause cause() const { return m_cause; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    qint64 m_number;
    QString m_description;
    Cause m_cause;
    QByteArray m_what;
};
