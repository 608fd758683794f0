#include "Mnemonic.h"

namespace Mnemonic {

QString add(const QString& caption, QString& used)
{
    QString plain = caption;
    plain.remove(QLatin1Char('&'));
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const QChar letter = plain.at(i).toLower();
        if (letter.isLetter() && !used.contains(letter)) {
            used += letter;
            return plain.left(i) + QLatin1Char('&') + plain.mid(i);
        }
    }
    return plain;
}

} // namespace Mnemonic
