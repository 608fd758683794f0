#pragma once

#include <QString>

// Trials of saving through the database layer, each against a fresh knowledge base.
namespace SaveTrials {

// Savers killed with SIGKILL at random moments while they save: every save a saver reported
// as done must be in the file, and every save must be whole or absent.
int killDuringSaves(int saves);
// The child of that trial: saves its own article and one new article per batch, forever.
int runSaver(const QString& path, int recordId);

// Two programs count up one field of the same article, each reading it, adding one and
// saving; a save refused as changed by the other program reloads and tries again. The
// field must end at the sum of both programs' successful saves.
int twoProgramsSaveOneArticle(int savesEach);
// The child of that trial (and the writer in the background of the start trial), with a
// pause after each save.
int runCounter(const QString& path, int saves, int pauseMs);

} // namespace SaveTrials
