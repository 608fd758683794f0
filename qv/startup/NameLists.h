#pragma once

#include <QStringList>

class Connection;

// The category and author names offered by the article window's lists, read once at
// start-up. Empty names are skipped; every name the table holds is taken.
namespace NameLists {

enum Kind { Categories, Authors };

QStringList load(Connection& db, Kind kind);

} // namespace NameLists
