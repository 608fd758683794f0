#include "WordDiff.h"

#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

struct Word
{
    QString text;
    // The blanks and line breaks that follow it.
    QString space;
};

std::vector<Word> words(const QString& text)
{
    std::vector<Word> result;
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    while (i < text.size()) {
        Word word;
        while (i < text.size() && !text.at(i).isSpace())
            word.text += text.at(i++);
        while (i < text.size() && text.at(i).isSpace())
            word.space += text.at(i++);
        result.push_back(std::move(word));
    }
    return result;
}

enum class Edit
{
    Keep,
    Remove,
    Add
};

// The shortest edit script from a to b (Myers' greedy algorithm), or nothing when it
// needs more than kMaxChanges insertions and deletions.
std::optional<std::vector<Edit>> editScript(const std::vector<Word>& a, const std::vector<Word>& b)
{
    const int n = int(a.size());
    const int m = int(b.size());
    const int max = std::min(n + m, WordDiff::kMaxChanges);
    const int offset = max + 1;
    std::vector<int> v(size_t(2 * max + 3), 0);
    std::vector<std::vector<int>> trace;
    for (int d = 0; d <= max; ++d) {
        trace.push_back(v);
        for (int k = -d; k <= d; k += 2) {
            int x = (k == -d || (k != d && v[size_t(offset + k - 1)] < v[size_t(offset + k + 1)]))
                        ? v[size_t(offset + k + 1)]
                        : v[size_t(offset + k - 1)] + 1;
            int y = x - k;
            while (x < n && y < m && a[size_t(x)].text == b[size_t(y)].text) {
                ++x;
                ++y;
            }
            v[size_t(offset + k)] = x;
            if (x >= n && y >= m) {
                // Walk back through the kept rounds to recover the path.
                std::vector<Edit> script;
                for (int back = d; back > 0; --back) {
                    const std::vector<int>& before = trace[size_t(back)];
                    const int kb = x - y;
                    const bool down =
                        kb == -back || (kb != back && before[size_t(offset + kb - 1)] <
                                                          before[size_t(offset + kb + 1)]);
                    const int previousK = down ? kb + 1 : kb - 1;
                    const int previousX = before[size_t(offset + previousK)];
                    const int previousY = previousX - previousK;
                    while (x > previousX && y > previousY) {
                        script.push_back(Edit::Keep);
                        --x;
                        --y;
                    }
                    script.push_back(down ? Edit::Add : Edit::Remove);
                    x = previousX;
                    y = previousY;
                }
                for (; x > 0; --x)
                    script.push_back(Edit::Keep);
                std::reverse(script.begin(), script.end());
                return script;
            }
        }
    }
    return std::nullopt;
}

} // namespace

QString WordDiff::markup(const QString& before, const QString& after)
{
    const std::vector<Word> a = words(before);
    const std::vector<Word> b = words(after);
    std::vector<Edit> script;
    if (const std::optional<std::vector<Edit>> found = editScript(a, b)) {
        script = *found;
    } else {
        script.assign(a.size(), Edit::Remove);
        script.insert(script.end(), b.size(), Edit::Add);
    }

    QString result;
    size_t i = 0;
    size_t j = 0;
    for (size_t e = 0; e < script.size();) {
        if (script[e] == Edit::Keep) {
            result += b[j].text + b[j].space;
            ++i;
            ++j;
            ++e;
            continue;
        }
        // A run of changes: the removed words together, then the added ones.
        QStringList removed;
        QStringList added;
        QString space;
        for (; e < script.size() && script[e] != Edit::Keep; ++e) {
            if (script[e] == Edit::Remove) {
                removed.append(a[i].text);
                space = a[i++].space;
            } else {
                added.append(b[j].text);
                space = b[j++].space;
            }
        }
        if (!removed.isEmpty())
            result += QStringLiteral("[-") + removed.join(QLatin1Char(' ')) + QStringLiteral("-]");
        if (!added.isEmpty())
            result += QStringLiteral("{+") + added.join(QLatin1Char(' ')) + QStringLiteral("+}");
        result += space;
    }
    return result;
}
