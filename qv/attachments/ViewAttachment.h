#pragma once

#include <QString>

class QWidget;

// Opens the file an attachment slot names: in the built-in viewer when the preference
// UseViewerForImages asks for it and the file is a picture, with the program the desktop
// associates with it otherwise. A slot that names no existing ordinary file (a folder, a
// hidden file, "N/A") gets the not-found message instead.
void ViewAttachment(const QString& slotText, QWidget* messageParent);

// Whether UseViewerForImages asks for the built-in viewer: a number that is not 0 once
// rounded to a whole one. Empty or not a number means the desktop's program.
bool viewerPreferred();
