#pragma once

#include <QString>

// The program's name, version and the maker's web pages.
namespace AppInfo {

constexpr int kMajor = 1;
constexpr int kMinor = 0;
constexpr int kRevision = 0;

inline const QString kTitle = QStringLiteral("Quorvel");

// "1.0.0": major, minor and revision as the web-page commands append them.
QString version();
// The support and newsletter pages, with the version and "menu" appended.
QString supportPageAddress();
QString newsletterPageAddress();
// The maker's home page, which exported pages and printouts credit.
QString homePageAddress();

} // namespace AppInfo
