#include "GoToEntry.h"

#include "text/NumberText.h"

namespace {
const QString kCheckEntry = QStringLiteral("Please check your entry and try again.");
}

GoToEntry::GoToEntry(Verdict verdict, int position, int recordCount)
    : m_verdict(verdict), m_position(position), m_recordCount(recordCount)
{
}

GoToEntry GoToEntry::check(const QString& text, int recordCount)
{
    const std::optional<double> number = NumberText::toNumber(text);
    if (!number)
        return GoToEntry(Verdict::NotANumber, 0, recordCount);
    if (*number > recordCount)
        return GoToEntry(Verdict::BeyondLast, 0, recordCount);
    const double rounded = NumberText::roundHalfEven(*number);
    return GoToEntry(Verdict::Go, rounded < 1 ? 0 : int(rounded), recordCount);
}

QString GoToEntry::message() const
{
    if (m_verdict == Verdict::BeyondLast)
        return QStringLiteral("The maximum number of Quorvel articles is: ") +
               QString::number(m_recordCount) + QStringLiteral("\r\n") + kCheckEntry;
    return kCheckEntry;
}
