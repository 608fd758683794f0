#pragma once

#include <QString>

// Alt+letter mnemonics for captions whose text is not fixed in advance.
namespace Mnemonic {

// The caption with a mnemonic on its first letter that is not in `used` (letters in lower
// case); that letter is added to `used`. Any "&" already in the caption is dropped first;
// a caption whose letters are all used comes back without one.
QString add(const QString& caption, QString& used);

} // namespace Mnemonic
