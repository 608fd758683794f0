#pragma once

#include <QString>

// What changed between two texts, word by word, as plain text: the new text with every
// run of removed words shown as "[-words-]" and every run of added words as "{+words+}".
// Blanks and line breaks count as part of the word before them (those before the first
// word are left out), so that a change of spacing alone shows no change.
class WordDiff
{
public:
    // Past this many changed words the texts count as wholly different (the old text
    // removed, the new one added), which keeps the work bounded on long documents.
    static constexpr int kMaxChanges = 1000;

    static QString markup(const QString& before, const QString& after);
};
