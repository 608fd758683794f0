#pragma once

// Many copies of Quorvel started at once on one knowledge base, alone or while another
// program saves into it: every start must show its window.
namespace StartTrial {

// What else uses the file meanwhile: nothing, a program saving ten times a second, or one
// saving without a pause.
enum class Saver
{
    None,
    TenPerSecond,
    FlatOut
};

int simultaneousStarts(int starts, int together, const char* journalMode, Saver saver);
// The child: Quorvel's start-up with messages and launched programs recorded; says
// "started" or what it was told instead.
int runStart(int argc, char* argv[]);

} // namespace StartTrial
