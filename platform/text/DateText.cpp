#include "DateText.h"

#include <QDate>
#include <QTime>

#include <optional>
#include <vector>

namespace {

const char* const kMonthNames[12] = {"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};
// Indexed by QDate::dayOfWeek() modulo 7.
const char* const kDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                  "Thursday", "Friday", "Saturday"};

// ---- Formatting ----------------------------------------------------------------------

struct PatternToken
{
    enum Kind
    {
        Literal,
        Day,
        Month,
        Year,
        Hour,
        Minute,
        Second,
        Designator
    };
    Kind kind;
    int width = 0; // count of pattern letters
    QString text;  // Literal: the text; Designator: the morning designator
    QString other; // Designator: the afternoon designator
};

PatternToken token(PatternToken::Kind kind, int width, const QString& text = QString(),
                   const QString& other = QString())
{
    return PatternToken{kind, width, text, other};
}

// The 12-hour designators at position i of the pattern, longest first.
std::optional<PatternToken> designatorAt(const QString& pattern, int i)
{
    const QStringView rest = QStringView(pattern).mid(i);
    const bool upper = pattern.at(i).isUpper();
    auto designator = [](const QString& am, const QString& pm, int width) {
        return token(PatternToken::Designator, width, am, pm);
    };
    if (rest.startsWith(u"ampm", Qt::CaseInsensitive))
        return designator(QStringLiteral("AM"), QStringLiteral("PM"), 4);
    if (rest.startsWith(u"am/pm", Qt::CaseInsensitive))
        return upper ? designator(QStringLiteral("AM"), QStringLiteral("PM"), 5)
                     : designator(QStringLiteral("am"), QStringLiteral("pm"), 5);
    if (rest.startsWith(u"a/p", Qt::CaseInsensitive))
        return upper ? designator(QStringLiteral("A"), QStringLiteral("P"), 3)
                     : designator(QStringLiteral("a"), QStringLiteral("p"), 3);
    return std::nullopt;
}

// The date or time token of a run of `run` equal letters (lower case), or nothing when the
// letter is no pattern letter. `afterHour`: the previous token was an hour.
std::optional<PatternToken> letterToken(QChar letter, int run, bool afterHour)
{
    switch (letter.unicode()) {
    case u'd':
        return token(PatternToken::Day, qMin(run, 4));
    case u'm':
        if (afterHour && run <= 2)
            return token(PatternToken::Minute, run);
        return token(PatternToken::Month, qMin(run, 4));
    case u'y':
        return token(PatternToken::Year, run >= 4 ? 4 : (run >= 2 ? 2 : 1));
    case u'h':
        return token(PatternToken::Hour, qMin(run, 2));
    case u'n':
        return token(PatternToken::Minute, qMin(run, 2));
    case u's':
        return token(PatternToken::Second, qMin(run, 2));
    default:
        return std::nullopt;
    }
}

std::vector<PatternToken> tokenize(const QString& pattern)
{
    std::vector<PatternToken> tokens;
    auto literal = [&tokens](const QString& text) {
        tokens.push_back(token(PatternToken::Literal, 0, text));
    };
    int i = 0;
    while (i < pattern.size()) {
        const QChar ch = pattern.at(i);
        if (ch == u'"') {
            int close = pattern.indexOf(u'"', i + 1);
            if (close < 0)
                close = pattern.size();
            literal(pattern.mid(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        if (ch == u'\\') {
            literal(pattern.mid(i + 1, 1));
            i += 2;
            continue;
        }
        std::optional<PatternToken> next = designatorAt(pattern, i);
        if (!next) {
            const QChar letter = ch.toLower();
            int run = 1;
            while (i + run < pattern.size() && pattern.at(i + run).toLower() == letter)
                ++run;
            // An hour counts as "previous" across literal separators such as ":".
            bool afterHour = false;
            for (auto it = tokens.rbegin(); it != tokens.rend(); ++it) {
                if (it->kind != PatternToken::Literal) {
                    afterHour = it->kind == PatternToken::Hour;
                    break;
                }
            }
            next = letterToken(letter, run, afterHour);
        }
        if (!next) {
            literal(QString(ch));
            ++i;
            continue;
        }
        tokens.push_back(*next);
        i += next->width;
    }
    return tokens;
}

QString number(int value, int width)
{
    return QString::number(value).rightJustified(width, u'0');
}

QString name(const char* const names[], int index, int width)
{
    const QString full = QString::fromLatin1(names[index]);
    return width >= 4 ? full : full.left(3);
}

QString render(const PatternToken& token, const QDateTime& value, bool twelveHour)
{
    const QDate date = value.date();
    const QTime time = value.time();
    switch (token.kind) {
    case PatternToken::Literal:
        return token.text;
    case PatternToken::Day:
        return token.width <= 2 ? number(date.day(), token.width)
                                : name(kDayNames, date.dayOfWeek() % 7, token.width);
    case PatternToken::Month:
        return token.width <= 2 ? number(date.month(), token.width)
                                : name(kMonthNames, date.month() - 1, token.width);
    case PatternToken::Year:
        if (token.width == 1)
            return QString::number(date.dayOfYear());
        return token.width == 2 ? number(date.year() % 100, 2) : number(date.year(), 4);
    case PatternToken::Hour: {
        int hour = time.hour();
        if (twelveHour && hour % 12 == 0)
            hour = 12;
        else if (twelveHour)
            hour %= 12;
        return number(hour, token.width);
    }
    case PatternToken::Minute:
        return number(time.minute(), token.width);
    case PatternToken::Second:
        return number(time.second(), token.width);
    case PatternToken::Designator:
        return time.hour() < 12 ? token.text : token.other;
    }
    return QString();
}

// ---- Reading -------------------------------------------------------------------------

struct TextToken
{
    enum Kind
    {
        Number,
        Word,
        Colon,
        Separator
    };
    Kind kind;
    QString text;
    bool spaced = false; // white space before it
    int value = 0;       // Number
};

std::optional<std::vector<TextToken>> scan(const QString& text)
{
    std::vector<TextToken> tokens;
    bool spaced = false;
    int i = 0;
    while (i < text.size()) {
        const QChar ch = text.at(i);
        if (ch.isSpace()) {
            spaced = true;
            ++i;
            continue;
        }
        int end = i + 1;
        TextToken::Kind kind;
        if (ch.isDigit()) {
            kind = TextToken::Number;
            while (end < text.size() && text.at(end).isDigit())
                ++end;
        } else if (ch.isLetter()) {
            kind = TextToken::Word;
            while (end < text.size() && text.at(end).isLetter())
                ++end;
        } else if (ch == u':') {
            kind = TextToken::Colon;
        } else if (QStringLiteral("/-.,").contains(ch)) {
            kind = TextToken::Separator;
        } else {
            return std::nullopt;
        }
        TextToken token{kind, text.mid(i, end - i), spaced, 0};
        if (kind == TextToken::Number) {
            if (token.text.size() > 4)
                return std::nullopt;
            token.value = token.text.toInt();
        }
        tokens.push_back(token);
        spaced = false;
        i = end;
    }
    return tokens;
}

bool isNumber(const std::vector<TextToken>& tokens, size_t i)
{
    return i < tokens.size() && tokens[i].kind == TextToken::Number && tokens[i].text.size() <= 2;
}

// Removes a time of day ("13:05", "1:05:09 PM") standing at the start or the end of the
// tokens. False when a time is malformed, or stands elsewhere.
bool takeTime(std::vector<TextToken>& tokens)
{
    size_t colon = 0;
    while (colon < tokens.size() && tokens[colon].kind != TextToken::Colon)
        ++colon;
    if (colon == tokens.size())
        return true;
    if (colon == 0 || !isNumber(tokens, colon - 1) || !isNumber(tokens, colon + 1))
        return false;
    const size_t first = colon - 1;
    const int hour = tokens[first].value;
    std::vector<int> rest{tokens[colon + 1].value};
    size_t end = colon + 2;
    if (end < tokens.size() && tokens[end].kind == TextToken::Colon) {
        if (!isNumber(tokens, end + 1))
            return false;
        rest.push_back(tokens[end + 1].value);
        end += 2;
    }
    bool twelveHour = false;
    if (end < tokens.size() && tokens[end].kind == TextToken::Word &&
        (tokens[end].text.compare(u"AM", Qt::CaseInsensitive) == 0 ||
         tokens[end].text.compare(u"PM", Qt::CaseInsensitive) == 0)) {
        twelveHour = true;
        ++end;
    }
    for (int part : rest) {
        if (part > 59)
            return false;
    }
    if (hour > (twelveHour ? 12 : 23))
        return false;
    // A date before or after the time is set apart by white space.
    const bool atStart = first == 0 && (end == tokens.size() || tokens[end].spaced);
    const bool atEnd = end == tokens.size() && (first == 0 || tokens[first].spaced);
    if (!atStart && !atEnd)
        return false;
    tokens.erase(tokens.begin() + first, tokens.begin() + end);
    return true;
}

// 1 to 12 for a full or three-letter name, else 0; same for weekday names (1 to 7).
int nameIndex(const QString& word, const char* const names[], int count)
{
    for (int i = 0; i < count; ++i) {
        const QString full = QString::fromLatin1(names[i]);
        if (word.compare(full, Qt::CaseInsensitive) == 0 ||
            word.compare(full.left(3), Qt::CaseInsensitive) == 0)
            return i + 1;
    }
    return 0;
}

struct NumberPart
{
    int value;
    int digits;
};

// The year a number stands for, or nothing: one or two digits use the window 1930-2029.
std::optional<int> yearOf(const NumberPart& part)
{
    if (part.digits <= 2)
        return part.value < 30 ? 2000 + part.value : 1900 + part.value;
    if (part.value >= 100)
        return part.value;
    return std::nullopt;
}

bool fits(const std::optional<int>& year, int month, int day)
{
    return year && QDate::isValid(*year, month, day);
}

// A month with a day but no year: any day that some year has.
bool fitsAnyYear(int month, int day)
{
    return QDate::isValid(2000, month, day);
}

bool numericDate(const std::vector<NumberPart>& numbers)
{
    if (numbers.size() == 3) {
        const NumberPart& a = numbers[0];
        const NumberPart& b = numbers[1];
        const NumberPart& c = numbers[2];
        if (a.digits >= 3)
            return fits(yearOf(a), b.value, c.value);
        return fits(yearOf(c), a.value, b.value) || fits(yearOf(c), b.value, a.value);
    }
    if (numbers.size() == 2) {
        const NumberPart& a = numbers[0];
        const NumberPart& b = numbers[1];
        if (a.digits >= 3)
            return fits(yearOf(a), b.value, 1);
        if (b.digits >= 3)
            return fits(yearOf(b), a.value, 1);
        return fitsAnyYear(a.value, b.value) || fitsAnyYear(b.value, a.value);
    }
    return false;
}

bool namedMonthDate(int month, const std::vector<NumberPart>& numbers)
{
    if (numbers.size() == 1) {
        const NumberPart& n = numbers[0];
        return (n.digits <= 2 && fitsAnyYear(month, n.value)) || yearOf(n).has_value();
    }
    if (numbers.size() == 2) {
        const NumberPart& a = numbers[0];
        const NumberPart& b = numbers[1];
        return (a.digits <= 2 && fits(yearOf(b), month, a.value)) ||
               (b.digits <= 2 && fits(yearOf(a), month, b.value));
    }
    return false;
}

// The date part: numbers and at most one month name, each pair set apart by one separator
// or by white space, optionally led by a weekday name.
bool datePart(const std::vector<TextToken>& tokens)
{
    std::vector<NumberPart> numbers;
    int month = 0;
    bool expectElement = true;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const TextToken& token = tokens[i];
        if (token.kind == TextToken::Separator) {
            if (expectElement)
                return false;
            expectElement = true;
            continue;
        }
        if (!expectElement && !token.spaced)
            return false;
        expectElement = false;
        if (token.kind == TextToken::Number) {
            numbers.push_back(NumberPart{token.value, int(token.text.size())});
        } else if (int m = nameIndex(token.text, kMonthNames, 12); m != 0 && month == 0) {
            month = m;
        } else if (i != 0 || nameIndex(token.text, kDayNames, 7) == 0) {
            return false;
        }
    }
    if (expectElement)
        return false;
    return month != 0 ? namedMonthDate(month, numbers) : numericDate(numbers);
}

} // namespace

QString DateText::format(const QDateTime& value, const QString& pattern)
{
    if (pattern.isEmpty()) {
        const bool midnight = value.time() == QTime(0, 0);
        return format(value, midnight ? QStringLiteral("m/d/yyyy")
                                      : QStringLiteral("m/d/yyyy h:nn:ss AM/PM"));
    }
    const std::vector<PatternToken> tokens = tokenize(pattern);
    bool twelveHour = false;
    for (const PatternToken& token : tokens)
        twelveHour = twelveHour || token.kind == PatternToken::Designator;
    QString text;
    for (const PatternToken& token : tokens)
        text += render(token, value, twelveHour);
    return text;
}

bool DateText::isDate(const QString& text)
{
    std::optional<std::vector<TextToken>> tokens = scan(text);
    if (!tokens || tokens->empty() || !takeTime(*tokens))
        return false;
    // A time alone is a date too (of day zero), as long as something was there.
    if (tokens->empty())
        return true;
    return datePart(*tokens);
}
