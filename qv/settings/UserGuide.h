#pragma once

#include <QString>

// The user's guide, a PDF document beside the program.
namespace UserGuide {

QString path();
// Opens the guide with the program the desktop associates with it; nothing happens when
// the document is missing.
void open();

} // namespace UserGuide
