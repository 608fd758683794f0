#pragma once

#include <QString>

// The utility's version, 2.0.0.9 (major, minor, build, revision).
namespace WaysetVersion {

constexpr int kMajor = 2;
constexpr int kMinor = 0;
constexpr int kBuild = 0;
constexpr int kRevision = 9;

// "2.0.0.9"
QString full();
// The About box's text: "Version 2.0", CR LF, "Build 9".
QString aboutText();

} // namespace WaysetVersion
