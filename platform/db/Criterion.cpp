#include "Criterion.h"

#include "DbError.h"

#include <QRegularExpression>
#include <QStringList>

namespace {
constexpr QChar kWildcard = QLatin1Char('*');
constexpr QChar kSqlEscape = QLatin1Char('\\');

DbError unreadable(const QString& text)
{
    return DbError(DbError::BadArgument,
                   QStringLiteral("Arguments are of the wrong type, are out of acceptable range, "
                                  "or are in conflict with one another. (criterion: %1)")
                       .arg(text));
}
} // namespace

Criterion::Criterion(const QString& field, Operator op, const QString& value)
    : m_field(field), m_op(op), m_value(value)
{
}

Criterion Criterion::parse(const QString& text)
{
    static const QRegularExpression head(
        QStringLiteral(R"(\A\s*(?:\[([^\]]+)\]|(\w+))\s*(=|\bLIKE\b)\s*#)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = head.match(text);
    const int last = text.lastIndexOf(QLatin1Char('#'));
    if (!match.hasMatch() || last < match.capturedEnd() ||
        !text.mid(last + 1).trimmed().isEmpty())
        throw unreadable(text);
    const QString field = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
    const Operator op = match.captured(3) == QLatin1String("=") ? Operator::Equal : Operator::Like;
    return Criterion(field, op, text.mid(match.capturedEnd(), last - match.capturedEnd()));
}

bool Criterion::valueIsNumber() const
{
    bool ok = false;
    m_value.trimmed().toDouble(&ok);
    return ok;
}

bool Criterion::matches(const QVariant& value, bool numeric) const
{
    if (value.isNull())
        return false;
    if (numeric && m_op == Operator::Equal) {
        bool ok = false;
        const double number = value.toString().trimmed().toDouble(&ok);
        return ok && number == m_value.trimmed().toDouble();
    }
    return matchesText(value.toString());
}

bool Criterion::matchesText(const QString& text) const
{
    if (m_op == Operator::Equal)
        return text.compare(m_value, Qt::CaseInsensitive) == 0;

    // "*" is the only wildcard, so the leftmost match of each literal piece in turn decides.
    const QStringList pieces = m_value.split(kWildcard);
    if (pieces.size() == 1)
        return text.compare(m_value, Qt::CaseInsensitive) == 0;
    const QString& first = pieces.first();
    const QString& last = pieces.last();
    if (!text.startsWith(first, Qt::CaseInsensitive))
        return false;
    qsizetype from = first.size();
    for (qsizetype i = 1; i < pieces.size() - 1; ++i) {
        const qsizetype found = text.indexOf(pieces.at(i), from, Qt::CaseInsensitive);
        if (found < 0)
            return false;
        from = found + pieces.at(i).size();
    }
    return text.size() - from >= last.size() && text.endsWith(last, Qt::CaseInsensitive);
}

QString Criterion::sqlLikePattern() const
{
    QString pattern;
    for (const uint codePoint : m_value.toUcs4()) {
        if (codePoint == '*' && m_op == Operator::Like)
            pattern += QLatin1Char('%');
        else if (codePoint == '%' || codePoint == '_' || codePoint == '\\')
            pattern.append(kSqlEscape).append(QChar(codePoint));
        else if (codePoint > 0x7f)
            pattern += QLatin1Char('_');
        else
            pattern += QChar(codePoint);
    }
    return pattern;
}

bool Criterion::needsRefine() const
{
    for (const QChar c : m_value) {
        if (c.unicode() > 0x7f)
            return true;
    }
    return false;
}
