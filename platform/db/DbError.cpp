#include "DbError.h"

DbError::DbError(qint64 number, const QString& description, Cause cause)
    : m_number(number), m_description(description), m_cause(cause), m_what(description.toUtf8())
{
}
