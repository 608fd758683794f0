#pragma once

#include <QString>
#include <QVariant>

// One filter criterion: "Field = #value#" or "Field LIKE #pattern#". The value runs from
// the "#" after the operator to the last "#", so it may itself hold "#". In a pattern "*"
// stands for any run of characters and everything else is literal. Text compares without
// regard to letter case; a null value matches no criterion, as in SQL.
class Criterion
{
public:
    enum class Operator { Equal, Like };

    // Throws DbError::BadArgument when the text has not this form.
    static Criterion parse(const QString& text);

    QString field() const { return m_field; }
    Operator op() const { return m_op; }
    QString value() const { return m_value; }

    // Whether the value reads as a number (required for "=" on a numeric field).
    bool valueIsNumber() const;
    bool matches(const QVariant& value, bool numeric) const;

    // The criterion as the pattern of an SQL "LIKE ? ESCAPE '\'", which compares letter
    // case only for ASCII letters: characters beyond ASCII become "_" there, and the rows
    // it selects must then be matched again with matches() (needsRefine()).
    QString sqlLikePattern() const;
    bool needsRefine() const;

private:
    Criterion(const QString& field, Operator op, const QString& value);
    bool matchesText(const QString& text) const;

    QString m_field;
    Operator m_op;
    QString m_value;
};
