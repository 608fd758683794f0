#pragma once

#include <QString>

// Password scrambling. A password is never stored or compared as typed: only its scrambled
// form goes into the Password column of table Login, and a login scrambles the typed text
// again and compares the two forms. There is no way back.
//
// The routine is the PC1 stream cipher with a 128-bit key in a 16-bit-arithmetic variant.
// Every constant, step and order of it is fixed by the passwords already stored.
namespace mdlEncrypt {

// The scrambled form of text under key: two letters "a" to "p" per character of text
// (high four bits of its cipher byte first), "" for "". Characters enter as their
// Windows-1252 byte; one the code page lacks enters as "?" (63), as the ANSI conversion
// of the platform substitutes it. Every call site passes the typed password as both
// key and text.
QString ScramblePassword(const QString& key, const QString& text);

} // namespace mdlEncrypt
