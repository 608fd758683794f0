#pragma once

#include <QString>

// One article as it passes between the article window, the commands that store it and the
// code that prints, exports or searches it: the fields of its row as text, the two
// documents as RTF beside their plain text.
struct Article
{
    QString id;           // Id: the article number
    QString category;     // CUName
    QString author;       // techname ("Entered By")
    QString title;        // Title
    QString problem;      // Problem, RTF
    QString solution;     // Solution, RTF
    QString problemText;  // ProblemText: the problem's plain text
    QString solutionText; // SolutionText
    QString reference;    // reference: a path, document or web address
    QString initialEntry; // InitialEntry
    QString editedBy;     // EditedBy
    QString dateEdited;   // DateEdited
};
