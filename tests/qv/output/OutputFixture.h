#pragma once

#include <QString>

// A fourth article for the output tests, after the three numbered ones of ArticleFixture:
// markup characters in its title and reference, a character beyond ASCII, and formatted
// documents whose shown text has 45 and 75 characters, the problem's with a picture.
namespace OutputFixture {

inline QString fourthArticle()
{
    return QStringLiteral(
        "INSERT INTO QV (Id, CUName, techname, Title, Problem, Solution, reference, "
        "InitialEntry, EditedBy, DateEdited) VALUES (4, 'Printing', 'Stone', "
        "'Toner <low> & \"streaks\"', "
        "'{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 \\b Pages\\b0  come out "
        "streaked after the toner swap.{\\pict\\pngblip\\picw8\\pich8 "
        "89504e470d0a1a0a0000000d49484452000000080000000808020000004b6d29dc0000001249444154789c"
        "63f8cfc0801561171db4120028ff3fc16eecdf610000000049454e44ae426082}\\par\n}', "
        "'{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Open the printer, remove the "
        "toner cartridge, shake it and reseat it \\i snugly\\i0\\par\n}', "
        "'Manual \u00a7 4 <p12>', '01/02/2026', 'Stone', '01/03/2026');\n");
}

} // namespace OutputFixture
