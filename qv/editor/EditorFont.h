#pragma once

#include <QFont>

// The editor font preference: section "Font" of the preferences file.
namespace EditorFont {

// The font with the stored name, size, bold and italic applied; values that are absent
// or do not read (a size that is no number, a flag that is not True or False) are left
// as they were.
QFont fromPrefs(const QFont& base);

// Writes Font, FontSize, FontBold, FontItalic, FontUnderline and FontStrikeThrough in one
// write of the file: all of them, or none and false.
bool save(const QFont& font);

// The size as the preference stores it: "10", "10.5".
QString sizeText(const QFont& font);

} // namespace EditorFont
