#include "NameListTable.h"

#include "db/Recordset.h"

NameListTable::NameListTable(Connection& db, Recordset& set, QString query, QString field)
    : m_db(db), m_set(set), m_query(std::move(query)), m_field(std::move(field))
{
}

QStringList NameListTable::fill()
{
    m_set.open(m_db, m_query);
    QStringList names;
    for (; !m_set.isEof(); m_set.moveNext())
        names << m_set.value(m_field).toString();
    return names;
}

void NameListTable::add(const QString& name)
{
    m_set.addNew();
    m_set.setValue(m_field, name);
    m_set.updateBatch();
}

void NameListTable::moveTo(int listRow)
{
    m_set.moveFirst();
    m_set.move(listRow);
}

void NameListTable::rename(int listRow, const QString& name)
{
    moveTo(listRow);
    m_set.setValue(m_field, name);
    m_set.updateBatch();
}

NameListTable::Removal NameListTable::remove(int listRow)
{
    moveTo(listRow);
    if (m_set.recordCount() == 1)
        return Removal::OnlyOne;
    m_set.deleteCurrent();
    m_set.updateBatch();
    return Removal::Removed;
}
