#include "mdlEncrypt.h"

#include "text/Cp1252.h"

#include <array>
#include <limits>

namespace {

constexpr qint32 kWord = 65536;        // the 16-bit modulus
constexpr qint32 kMultiplier = 20021;  // 0x4E35
constexpr qint32 kKeyMultiplier = 346; // 0x15A
constexpr int kKeyLength = 16;         // key characters that take part
constexpr int kRounds = 8;             // one round per key pair

// The working state of one ScramblePassword call. Each call starts from nothing, so the
// state lives no longer than the call; the results are those of one module-wide state
// that every call re-initialises.
class Pc1State
{
public:
    explicit Pc1State(const QByteArray& key)
    {
        for (int j = 0; j < key.size() && j < kKeyLength; ++j)
            m_keyBytes[j] = quint8(key.at(j));
    }

    // The cipher byte for one plain byte; the key then takes in the plain byte.
    qint32 scramble(qint32 plain)
    {
        KeySchedule();
        const qint32 hi = m_mixed / 256;
        const qint32 lo = m_mixed % 256;
        for (qint32& keyByte : m_keyBytes)
            keyByte ^= plain;
        // A Mixed of 65,536 or more would not fit a byte: the plain byte goes out as it is.
        return m_mixed < kWord ? (plain ^ hi ^ lo) : plain;
    }

private:
    // Eight rounds, one per big-endian key pair, XORed into m_mixed. An abandoned round
    // (see ScheduleRound) ends the schedule where it stands: m_mixed keeps the rounds
    // done so far and m_roundIndex is not set back, so every later character of the
    // call meets the same register and is abandoned at its first round.
    void KeySchedule()
    {
        m_registers[0] = keyPair(0) % kWord;
        if (!ScheduleRound())
            return;
        m_mixed = m_roundOutput;
        for (int k = 1; k < kRounds; ++k) {
            // The previous register is taken as the round left it, possibly 65,536.
            m_registers[k] = m_registers[k - 1] ^ keyPair(k);
            if (!ScheduleRound())
                return;
            m_mixed ^= m_roundOutput;
        }
        m_roundIndex = 0;
    }

    // One round on register m_roundIndex. False when the round is abandoned because
    // w * 20021 overflows signed 32 bits (w of 107,262 or more): then nothing of the
    // state changes.
    bool ScheduleRound()
    {
        const qint32 i = m_roundIndex;
        const qint32 w = m_registers[i];
        const qint32 d0 = (m_chainValue + i) % kWord;
        const qint32 t = (d0 * kMultiplier) % kWord;
        const qint32 u = (w * kKeyMultiplier) % kWord;
        const qint32 cx = (t + u) % kWord;
        const qint32 d = (cx + m_savedProduct) % kWord;
        const qint64 product = qint64(w) * kMultiplier;
        if (product > std::numeric_limits<qint32>::max())
            return false;
        // Not reduced again: 1 to 65,536.
        const qint32 a = qint32(product % kWord) + 1;
        m_chainValue = d;
        m_registers[i] = a;
        m_savedProduct = u;
        m_roundOutput = a ^ d;
        m_roundIndex = i + 1;
        return true;
    }

    qint32 keyPair(int k) const { return m_keyBytes[2 * k] * 256 + m_keyBytes[2 * k + 1]; }

    std::array<qint32, kKeyLength> m_keyBytes{};
    std::array<qint32, kRounds> m_registers{};
    qint32 m_chainValue = 0;
    qint32 m_savedProduct = 0;
    qint32 m_roundIndex = 0;
    qint32 m_roundOutput = 0;
    qint32 m_mixed = 0;
};

enum class Outside
{
    Utf8,
    QuestionMark
};

// The bytes a text enters the routine as: each character its Windows-1252 byte, and one
// the code page lacks either its UTF-8 bytes (a surrogate pair as one character) or "?"
// for each UTF-16 unit.
QByteArray bytesOf(const QString& text, Outside outside)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (const std::optional<unsigned char> byte = Cp1252::fromUnicode(text.at(i))) {
            bytes.append(char(*byte));
        } else if (outside == Outside::QuestionMark) {
            bytes.append('?');
        } else {
            const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() &&
                              text.at(i + 1).isLowSurrogate();
            bytes.append(QStringView(text).mid(i, pair ? 2 : 1).toUtf8());
            i += pair ? 1 : 0;
        }
    }
    return bytes;
}

QString scramble(const QByteArray& key, const QByteArray& text)
{
    Pc1State state(key);
    QString result;
    result.reserve(2 * text.size());
    for (const char byte : text) {
        const qint32 cipher = state.scramble(quint8(byte));
        result.append(QChar(u'a' + (cipher >> 4)));
        result.append(QChar(u'a' + (cipher & 15)));
    }
    return result;
}

} // namespace

namespace mdlEncrypt {

QString ScramblePassword(const QString& key, const QString& text)
{
    return scramble(bytesOf(key, Outside::Utf8), bytesOf(text, Outside::Utf8));
}

QString ScramblePasswordAsBefore(const QString& key, const QString& text)
{
    return scramble(bytesOf(key, Outside::QuestionMark), bytesOf(text, Outside::QuestionMark));
}

} // namespace mdlEncrypt
