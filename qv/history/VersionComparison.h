#pragma once

#include <QString>

struct Article;

// What changed in Title, Problem and Solution from a kept version to the current article,
// word by word as WordDiff marks it, each under its caption.
namespace VersionComparison {

QString text(const Article& version, const Article& current);

} // namespace VersionComparison
