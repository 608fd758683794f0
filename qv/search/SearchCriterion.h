#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The fields a search looks in, as the search dialog offers them, and the filter criterion
// each one builds from the text the user gave: a fixed prefix, the text exactly as typed,
// a fixed suffix ("Title LIKE #*" + text + "*#").
class SearchCriterion
{
public:
    // The field choices in list order.
    static QStringList choices();
    // The prompt caption choosing a field sets; nothing for a field that leaves the caption
    // as it stands, and for a text that is not one of the choices.
    static std::optional<QString> prompt(const QString& choice);
    // Whether the field takes its text from the category list instead of the text box.
    static bool readsCategory(const QString& choice);
    // The criterion for a choice, reading the category text or the search text as the
    // choice says; "" (no filter) for a text that is not exactly one of the choices.
    static QString build(const QString& choice, const QString& category, const QString& text);
    // The text to mark in the matches' documents: the typed text of a field searched for a
    // part of its text; "" for a category or a number.
    static QString markedText(const QString& choice, const QString& text);
};
