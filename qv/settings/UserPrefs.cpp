#include "UserPrefs.h"

#include "profile/Prefs.h"
#include "text/NumberText.h"
#include "ui/Dialogs.h"

#include <QDir>

namespace UserPrefs {

const QList<DateFormatRow>& dateFormats()
{
    static const QList<DateFormatRow> rows = {
        {QStringLiteral("mm/dd/yyyy"), QStringLiteral("mm/dd/yyyy")},
        {QStringLiteral("dd/mm/yyyy"), QStringLiteral("dd/mm/yyyy")},
        {QStringLiteral("m/d/yyyy"), QStringLiteral("m/d/yyyy")},
        {QStringLiteral("yyyy-mm-dd"), QStringLiteral("yyyy-mm-dd")},
        {QStringLiteral("m/d/yy"), QStringLiteral("m/d/yy")},
        // Previewed with the short month name, stored with the full one.
        {QStringLiteral("d-mmm"), QStringLiteral("d-mmmm")},
        {QStringLiteral("mmmm-yy"), QStringLiteral("mmmm-yy")},
        {QStringLiteral("d-mmmm-yy"), QStringLiteral("d-mmmm-yy")},
        {QStringLiteral("d mmmm"), QStringLiteral("d mmmm")},
        {QStringLiteral("mmmm yy"), QStringLiteral("mmmm yy")},
    };
    return rows;
}

int dateFormatRow(const QString& stored)
{
    const QList<DateFormatRow>& rows = dateFormats();
    for (int row = 0; row < rows.size(); ++row) {
        if (rows.at(row).stored == stored)
            return row;
    }
    struct Prefix
    {
        const char* text;
        int row;
    };
    static const Prefix prefixes[] = {{"mm/dd/yyyy", 0},
                                      {"dd/mm/yyyy", 1},
                                      {"yyyy-mm-dd", 3},
                                      {"m/d/yyyy", 2},
                                      {"dddd, mmmm dd, yyyy", 5}};
    for (const Prefix& prefix : prefixes) {
        if (stored.startsWith(QLatin1String(prefix.text)))
            return prefix.row;
    }
    return -1;
}

bool isTicked(const QString& value)
{
    return NumberText::toNumber(value) == 1.0;
}

bool toolbarShown()
{
    const std::optional<double> value =
        NumberText::toNumber(ReadPref(QStringLiteral("UserPrefs"), QStringLiteral("Show Toolbar")));
    return !value || *value != 0.0;
}

int keptVersionDays()
{
    const std::optional<double> days = NumberText::toNumber(
        ReadPref(QStringLiteral("UserPrefs"), QStringLiteral("KeepVersionsDays")));
    return days && *days >= 1 && *days <= kMaxKeptVersionDays ? int(*days) : 0;
}

void reportUnsaved(QWidget* messageParent)
{
    dialogs().inform(QStringLiteral("The setting could not be saved to ") +
                         QDir::toNativeSeparators(prefsFilePath()) + QLatin1Char('.'),
                     QStringLiteral("Quorvel"), messageParent);
}

bool save(const QString& section, const QString& key, const QString& value,
          QWidget* messageParent)
{
    return save(section, {{key, value}}, messageParent);
}

bool save(const QString& section, const PrivateProfile::Entries& entries,
          QWidget* messageParent)
{
    if (WritePrefs(section, entries))
        return true;
    reportUnsaved(messageParent);
    return false;
}

} // namespace UserPrefs
