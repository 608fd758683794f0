#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Windows-1252, the ANSI code page of the program's older files. Qt 6 promises only UTF
// and Latin-1 decoders, so the table is ours. The five bytes that the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the control characters of the same
// number, as Windows does.
namespace Cp1252 {

QChar toUnicode(unsigned char byte);
QString decode(const QByteArray& bytes);
// The byte for a character, or nothing when the code page has none.
std::optional<unsigned char> fromUnicode(QChar character);

} // namespace Cp1252
