#include "SearchCriterion.h"

namespace {

struct Field
{
    const char* choice;
    const char* prompt; // nullptr: the caption stays as it is
    bool category;
    const char* prefix;
    const char* suffix;
};

const Field kFields[] = {
    {"Category", "Search Category:", true, "CUName = #", "#"},
    {"Problem", "Search Problem:", false, "Problem LIKE #*", "*#"},
    {"Solution", "Search Solution:", false, "Solution LIKE #*", "*#"},
    {"QV Number", "Search QV Number:", false, "ID = #", "#"},
    {"Entered By", "Search Entered By:", false, "TechName LIKE #*", "*#"},
    {"Edited By", nullptr, false, "EditedBy LIKE #*", "*#"},
    {"Title", "Search Title:", false, "Title LIKE #*", "*#"},
    {"Reference", nullptr, false, "Reference LIKE #*", "*#"},
};

const Field* find(const QString& choice)
{
    for (const Field& field : kFields) {
        if (choice == QLatin1String(field.choice))
            return &field;
    }
    return nullptr;
}

} // namespace

QStringList SearchCriterion::choices()
{
    QStringList names;
    for (const Field& field : kFields)
        names << QLatin1String(field.choice);
    return names;
}

std::optional<QString> SearchCriterion::prompt(const QString& choice)
{
    const Field* field = find(choice);
    if (!field || !field->prompt)
        return std::nullopt;
    return QLatin1String(field->prompt);
}

bool SearchCriterion::readsCategory(const QString& choice)
{
    const Field* field = find(choice);
    return field && field->category;
}

QString SearchCriterion::build(const QString& choice, const QString& category, const QString& text)
{
    const Field* field = find(choice);
    if (!field)
        return QString();
    return QLatin1String(field->prefix) + (field->category ? category : text) +
           QLatin1String(field->suffix);
}

QString SearchCriterion::markedText(const QString& choice, const QString& text)
{
    const Field* field = find(choice);
    return field && QLatin1String(field->prefix).contains(QLatin1String(" LIKE ")) ? text
                                                                                   : QString();
}
