#pragma once

#include <QString>

// Password scrambling. A password is never stored or compared as typed: only its scrambled
// form goes into the Password column of table Login, and a login scrambles the typed text
// again and compares the two forms. There is no way back.
//
// The routine is the PC1 stream cipher with a 128-bit key in a 16-bit-arithmetic variant.
// Every constant, step and order of it is fixed by the passwords already stored.
namespace mdlEncrypt {

// The scrambled form of text under key: two letters "a" to "p" per byte of text (high four
// bits of its cipher byte first), "" for "". Characters enter as their Windows-1252 byte;
// one the code page lacks enters as its UTF-8 bytes, so that such passwords stay apart.
// Every call site passes the typed password as both key and text.
QString ScramblePassword(const QString& key, const QString& text);

// The form that passwords were stored in before characters outside the code page entered
// as UTF-8: each UTF-16 unit of such a character entered as "?" (63), as the platform's
// ANSI conversion substituted it. Only a login compares it, so that those accounts still
// log in until their password is next changed. Equal to ScramblePassword for a text that
// lies within the code page.
QString ScramblePasswordAsBefore(const QString& key, const QString& text);

} // namespace mdlEncrypt
