#include "security/mdlEncrypt.h"

#include <QTest>

// The scrambled forms are what stored passwords hold: fixed values worked out from the
// routine's steps, never taken from the code under test.
//
// "A" under key "A" by hand: the first key pair is 65 * 256 = 16640, the others 0. Each
// round: d0 = Chain + i, t = d0 * 20021, u = w * 346, d = t + u + SavedProduct,
// a = w * 20021 + 1 (all mod 65536), out = a ^ d; w is the previous round's a.
//   i  w      d0     t      u      d      a      out
//   0  16640  0      0      55808  55808  29953  44801
//   1  29953  55809  28725  9050   28047  34614  60089
//   2  34614  28049  56581  48892  48987  29231  52596
//   3  29231  48990  17014  21382  21752  62908  41284
//   4  62908  21756  24620  8216   54218  10221  62503
//   5  10221  54223  60379  63058  581    31250  30807
//   6  31250  587    21383  64596  17965  49595  34710
//   7  49595  17972  24772  54974  13270  5560   9838
// Mixed = XOR of the outs = 1024: 65 ^ 4 ^ 0 = 0x45, letters "e" (4) and "f" (5).
// "AB": the key takes in each plain byte, so the second character starts on pair 3 with
// Chain and SavedProduct as the first left them: Mixed = 29384, 66 ^ 114 ^ 200 = "pi".
// The longer vectors went through the same table with a calculator script written from
// the steps alone. The special cases can be checked by eye:
// "2BhH": round 1 leaves a = 65536, Mixed = 75528 >= 65536, so "2" goes out plain ("dc");
//   round 2 runs on 65536 (bit 16 kept, no overflow).
// "ëãé": round 1 gets 65536 XOR 0xE900 = 125184, whose product overflows 32 bits: the
//   round is abandoned, Mixed stays >= 65536 and every character goes out plain.
// "ëã03oséé": rounds 0 and 2 leave 65536, round 3 overflows; Mixed = 19360 (bit 16
//   cancelled), so every byte is XORed with 75 ^ 160 = 0xEB.
class TestMdlEncrypt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The overflow vectors come first: nothing of one call may carry into the next.
    void vectors_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("scrambled");
        auto row = [](const char* name, const char* key, const char* text, const char* scrambled) {
            QTest::newRow(name) << QString::fromUtf8(key) << QString::fromUtf8(text)
                                << QString::fromUtf8(scrambled);
        };
        row("Mixed reaches 65536, no overflow", "2BhH", "2BhH", "dcjjbepk");
        row("overflow in the second round", "ëãé", "ëãé", "olodoj");
        row("overflow after an even count of 65536", "ëã03oséé", "ëã03oséé", "aaainlniiejiacac");
        row("empty", "", "", "");
        row("one character", "A", "A", "ef");
        row("two characters, key feedback", "AB", "AB", "hjpi");
        row("short key, longer text", "A", "AB", "efng");
        row("word", "password", "password", "pclfhblhbdeojaio");
        row("beyond the 16 key characters", "abcdefghijklmnopqrst", "abcdefghijklmnopqrst",
            "dpgiglohfbfkonfpfejgmecpdjgijmfaefddpnpm");
        row("Windows-1252 letters", "Grüße", "Grüße", "omfpineaof");
        row("euro sign is byte 0x80", "€", "€", "oe");
    }
    void vectors()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, scrambled);
        QCOMPARE(mdlEncrypt::ScramblePassword(key, text), scrambled);
    }

    // A character without a Windows-1252 byte enters as its UTF-8 bytes, which the stand-in
    // spells as Windows-1252 characters; the form stored before took "?" per UTF-16 unit.
    void charactersOutsideTheCodePage_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("utf8StandIn");
        QTest::addColumn<QString>("beforeStandIn");
        const auto row = [](const char* name, const char* password, const char* utf8,
                            const char* before) {
            QTest::newRow(name) << QString::fromUtf8(password) << QString::fromUtf8(utf8)
                                << QString::fromUtf8(before);
        };
        row("Greek omega, CE A9", "xΩy", "xÎ©y", "x?y");
        row("Cyrillic", "пароль", "Ð¿Ð°Ñ€Ð¾Ð»ÑŒ", "??????");
        row("beyond 16 bits, F0 9F 98 80", "a😀", "aðŸ˜€", "a??");
        row("within the code page", "Grüße€", "Grüße€", "Grüße€");
    }
    void charactersOutsideTheCodePage()
    {
        QFETCH(QString, password);
        QFETCH(QString, utf8StandIn);
        QFETCH(QString, beforeStandIn);
        QCOMPARE(mdlEncrypt::ScramblePassword(password, password),
                 mdlEncrypt::ScramblePassword(utf8StandIn, utf8StandIn));
        QCOMPARE(mdlEncrypt::ScramblePasswordAsBefore(password, password),
                 mdlEncrypt::ScramblePassword(beforeStandIn, beforeStandIn));
    }
};

QTEST_GUILESS_MAIN(TestMdlEncrypt)
#include "TestMdlEncrypt.moc"
