#include "NumberText.h"

#include <cmath>

namespace {

bool isExponentLetter(QChar ch)
{
    return ch == u'e' || ch == u'E' || ch == u'd' || ch == u'D';
}

// The value of a normalised number text ("-12.5e3"); nothing beyond a double.
std::optional<double> valueOf(const QString& normalised)
{
    bool ok = false;
    const double value = normalised.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Reads digits (and, with `commas`, thousands separators after the first digit) from
// text at i into out. Returns the count of digits read.
int readDigits(const QString& text, int& i, QString& out, bool commas)
{
    int digits = 0;
    while (i < text.size()) {
        const QChar ch = text.at(i);
        if (ch.isDigit() && ch.unicode() < 128) {
            out += ch;
            ++digits;
        } else if (!(commas && ch == u',' && digits > 0)) {
            break;
        }
        ++i;
    }
    return digits;
}

// An optional exponent at i: the letter, an optional sign and at least one digit. Reads
// it into out and returns true, or leaves i and out as they were.
bool readExponent(const QString& text, int& i, QString& out)
{
    if (i >= text.size() || !isExponentLetter(text.at(i)))
        return true;
    int j = i + 1;
    QString exponent = QStringLiteral("e");
    if (j < text.size() && (text.at(j) == u'+' || text.at(j) == u'-'))
        exponent += text.at(j++);
    if (readDigits(text, j, exponent, false) == 0)
        return false;
    out += exponent;
    i = j;
    return true;
}

} // namespace

std::optional<double> NumberText::toNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    QString normalised;
    int i = 0;
    if (i < trimmed.size() && (trimmed.at(i) == u'+' || trimmed.at(i) == u'-')) {
        normalised += trimmed.at(i++);
        while (i < trimmed.size() && trimmed.at(i).isSpace())
            ++i;
    }
    int digits = readDigits(trimmed, i, normalised, true);
    if (i < trimmed.size() && trimmed.at(i) == u'.') {
        normalised += u'.';
        ++i;
        digits += readDigits(trimmed, i, normalised, false);
    }
    if (digits == 0 || !readExponent(trimmed, i, normalised) || i != trimmed.size())
        return std::nullopt;
    return valueOf(normalised);
}

double NumberText::leadingValue(const QString& text)
{
    QString compact;
    for (QChar ch : text) {
        if (ch != u' ' && ch != u'\t' && ch != u'\n' && ch != u'\r')
            compact += ch;
    }
    QString normalised;
    int i = 0;
    if (i < compact.size() && (compact.at(i) == u'+' || compact.at(i) == u'-'))
        normalised += compact.at(i++);
    int digits = readDigits(compact, i, normalised, false);
    if (i < compact.size() && compact.at(i) == u'.') {
        normalised += u'.';
        ++i;
        digits += readDigits(compact, i, normalised, false);
    }
    if (digits == 0)
        return 0;
    readExponent(compact, i, normalised);
    return valueOf(normalised).value_or(0);
}

double NumberText::roundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5)
        return below + 1;
    if (fraction < 0.5)
        return below;
    return std::fmod(below, 2) == 0 ? below : below + 1;
}
