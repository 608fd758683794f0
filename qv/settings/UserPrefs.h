#pragma once

#include "profile/PrivateProfile.h"

#include <QList>
#include <QString>

class QWidget;

// The user preferences of the preferences file as the settings windows read and write
// them.
namespace UserPrefs {

// One row of the date format list: the pattern that shows today's date in the row, and
// the pattern stored when the row is chosen.
struct DateFormatRow
{
    QString preview;
    QString stored;
};

// The ten rows in the order the list shows them.
const QList<DateFormatRow>& dateFormats();

// The row (from 0) that a stored DateFormat selects, or -1 for none. A stored pattern
// selects its own row; otherwise the leading characters decide, and the long weekday
// form of older files selects the day and month row.
int dateFormatRow(const QString& stored);

// Whether a "1"/"0" choice is ticked: the text reads as the number 1 ("1", "1.0").
bool isTicked(const QString& value);

// Whether the main window shows its toolbar: yes unless Show Toolbar reads as the number
// 0 (an absent or unreadable value keeps the toolbar).
bool toolbarShown();

// How many days of article versions are kept: 0 (an absent, unreadable or not positive
// KeepVersionsDays) keeps them all.
int keptVersionDays();
constexpr int kMaxKeptVersionDays = 36500;

// Says that the preferences file could not be written (OK, title "Quorvel").
void reportUnsaved(QWidget* messageParent);

// Writes one value, or several values of one section (all or none), of the preferences
// file. A write that fails is reported and returns false.
bool save(const QString& section, const QString& key, const QString& value,
          QWidget* messageParent);
bool save(const QString& section, const PrivateProfile::Entries& entries,
          QWidget* messageParent);

} // namespace UserPrefs
