#include "security/mdlEncrypt.h"

#include <QRegularExpression>
#include <QTest>

// The scrambled forms below are what the stored passwords hold, so they are fixed values
// worked out from the routine's steps, not taken from the code under test.
//
// "A" under key "A", worked by hand. KeyBytes = 65, 0, ..., 0, so the first key pair is
// 65 * 256 = 16640 and all later pairs are 0. Each round: d0 = Chain + i, t = d0 * 20021,
// u = w * 346, d = t + u + SavedProduct, a = w * 20021 + 1 (all mod 65536), out = a ^ d.
//   i  w      d0     t      u      d      a      out
//   0  16640  0      0      55808  55808  29953  44801
//   1  29953  55809  28725  9050   28047  34614  60089
//   2  34614  28049  56581  48892  48987  29231  52596
//   3  29231  48990  17014  21382  21752  62908  41284
//   4  62908  21756  24620  8216   54218  10221  62503
//   5  10221  54223  60379  63058  581    31250  30807
//   6  31250  587    21383  64596  17965  49595  34710
//   7  49595  17972  24772  54974  13270  5560   9838
// (w of round k is the a of round k - 1 XOR pair k = 0.) Mixed = XOR of the eight outs
// = 1024: hi = 4, lo = 0, cipher = 65 ^ 4 ^ 0 = 69 = 0x45, letters "e" (4) and "f" (5).
//
// "AB": the first character is "A" under key "AB" (first pair 16706 instead of 16640,
// cipher 0x79, "hj"); then every key byte takes in 65, giving 0, 3, 65, 65, ..., so the
// second character starts its rounds on pair 3 with Chain and SavedProduct as the first
// character left them; Mixed = 29384, hi = 114, lo = 200, 66 ^ 114 ^ 200 = 248 = "pi".
//
// The longer vectors were carried through the same table, one row per round, with a
// separate calculator script written from the steps alone (not from this code); the
// special cases are built so that their results can be checked by eye:
//
// "2BhH": pair "2B" = 12866 gives a = 33707; 33707 XOR pair "hH" (26696) = 60387, and
// 60387 * 20021 mod 65536 = 65535, so round 1 leaves a = 65536 (the only round of this
// character to do so). Mixed = 75528 >= 65536: "2" (0x32) goes out plain as "dc". Round 2
// then runs on 65536 XOR 0 = 65536 (bit 16 kept, below 107262: no overflow, a = 1). The
// later characters are scrambled normally: a 7-bit password never reaches the overflow.
//
// "ëãé" (0xEB 0xE3 0xE9): the first pair is 60387 itself, so round 0 leaves 65536; round 1
// gets 65536 XOR 0xE900 = 125184, and 125184 * 20021 overflows 32 bits: the round is
// abandoned with Mixed = round 0's out = 118990 (>= 65536), so 0xEB goes out plain. Every
// later character starts on the same register 1 and is abandoned the same way: the whole
// password comes out as the letters of its own codes, "ol" "od" "oj".
//
// "ëã03oséé": round 0 leaves 65536 as above; round 1 runs on 65536 XOR "03" = 77875 (no
// overflow); its a = 33936, and 33936 XOR "os" (0x6F73) = 60387 again, so round 2 leaves
// 65536 too; round 3 gets 65536 XOR "éé" (0xE9E9) = 125417 and is abandoned. Mixed = the
// XOR of rounds 0 to 2 = 19360, bit 16 cancelled: hi ^ lo = 75 ^ 160 = 0xEB. Every later
// character is abandoned at round 3 and keeps that Mixed, so each byte is XORed with
// 0xEB: 0xEB -> "aa", 0xE3 -> "ai", "0" -> "nl", "3" -> "ni", "o" -> "ie", "s" -> "ji",
// "é" -> "ac", "é" -> "ac".
class TestMdlEncrypt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void vectors_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("scrambled");

        auto row = [](const char* name, const char* key, const char* text, const char* scrambled) {
            QTest::newRow(name) << QString::fromUtf8(key) << QString::fromUtf8(text)
                                << QString::fromUtf8(scrambled);
        };
        row("empty", "", "", "");
        row("one character", "A", "A", "ef");
        row("lower case is its own code", "a", "a", "kf");
        row("two characters, key feedback", "AB", "AB", "hjpi");
        row("short key, longer text", "A", "AB", "efng");
        row("key of two, text of one", "AB", "A", "hj");
        row("word", "password", "password", "pclfhblhbdeojaio");
        row("capital first letter", "Password", "Password", "ncaiaekafflafgmo");
        row("letters and digits", "Secret123", "Secret123", "hencpjlghbmnblkdpp");
        row("twenty characters", "abcdefghijklmnopqrst", "abcdefghijklmnopqrst",
            "dpgiglohfbfkonfpfejgmecpdjgijmfaefddpnpm");
        row("Windows-1252 letters", "Grüße", "Grüße", "omfpineaof");
        row("euro sign is byte 0x80", "€", "€", "oe");
        row("Mixed reaches 65536, no overflow", "2BhH", "2BhH", "dcjjbepk");
        row("overflow in the second round", "ëãé", "ëãé", "olodoj");
        row("overflow after an even count of 65536", "ëã03oséé", "ëã03oséé", "aaainlniiejiacac");
    }
    void vectors()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, scrambled);
        QCOMPARE(mdlEncrypt::ScramblePassword(key, text), scrambled);
    }

    // Only the first 16 characters form the key; later ones reach the result through the
    // plain-text feedback alone, from their own position on.
    void laterCharactersChangeOnlyTheirPairsOn_data()
    {
        QTest::addColumn<QString>("changed");
        QTest::addColumn<int>("position");
        QTest::newRow("17th to 20th") << "abcdefghijklmnopQRST" << 16;
        QTest::newRow("18th") << "abcdefghijklmnopqXst" << 17;
        QTest::newRow("20th") << "abcdefghijklmnopqrsX" << 19;
    }
    void laterCharactersChangeOnlyTheirPairsOn()
    {
        QFETCH(QString, changed);
        QFETCH(int, position);
        const QString original = QStringLiteral("abcdefghijklmnopqrst");
        const QString before = mdlEncrypt::ScramblePassword(original, original);
        const QString after = mdlEncrypt::ScramblePassword(changed, changed);
        QCOMPARE(after.size(), 40);
        QCOMPARE(after.left(2 * position), before.left(2 * position));
        QVERIFY(after.mid(2 * position, 2) != before.mid(2 * position, 2));
    }

    // Every byte value as a one-character password scrambles to two letters "a" to "p".
    void everyByteGivesTwoLetters()
    {
        const QRegularExpression letters(QStringLiteral("^[a-p]{2}$"));
        for (int code = 0; code < 256; ++code) {
            const QString password{QChar(char16_t(code))};
            const QString scrambled = mdlEncrypt::ScramblePassword(password, password);
            QVERIFY2(letters.match(scrambled).hasMatch(), qPrintable(scrambled));
        }
    }

    // Nothing of one call carries into the next, even after a call that met the overflow.
    void callsDoNotInfluenceEachOther()
    {
        const QString first =
            mdlEncrypt::ScramblePassword(QStringLiteral("Secret123"), QStringLiteral("Secret123"));
        mdlEncrypt::ScramblePassword(QStringLiteral("ëãé"), QStringLiteral("ëãé"));
        mdlEncrypt::ScramblePassword(QStringLiteral("2BhH"), QStringLiteral("2BhH"));
        QCOMPARE(
            mdlEncrypt::ScramblePassword(QStringLiteral("Secret123"), QStringLiteral("Secret123")),
            first);
    }

    // A character without a Windows-1252 byte enters as "?", one per UTF-16 unit.
    void charactersOutsideTheCodePageEnterAsQuestionMark_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("standIn");
        QTest::newRow("Greek omega") << "xΩy"
                                     << "x?y";
        QTest::newRow("character beyond 16 bits") << QString::fromUtf8("a\U0001F600") << "a??";
    }
    void charactersOutsideTheCodePageEnterAsQuestionMark()
    {
        QFETCH(QString, password);
        QFETCH(QString, standIn);
        QCOMPARE(mdlEncrypt::ScramblePassword(password, password),
                 mdlEncrypt::ScramblePassword(standIn, standIn));
    }
};

QTEST_GUILESS_MAIN(TestMdlEncrypt)
#include "TestMdlEncrypt.moc"
