#include "security/mdlEncrypt.h"

#include <QTest>

// The scrambled forms are what stored passwords hold: fixed values worked out by hand and
// by a calculator script written from the routine's steps alone, never taken from the code
// under test. "A" under key "A" gives Mixed = 1024: 65 ^ 4 ^ 0 = 0x45, letters "e" and "f".
// The special cases: "2BhH" reaches Mixed = 75528 >= 65536, so "2" goes out plain; in "ëãé"
// a product overflows 32 bits, the round is abandoned and every character goes out plain;
// in "ëã03oséé" bit 16 cancels out and every byte is XORed with 0xEB.
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
