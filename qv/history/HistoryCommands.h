#pragma once

#include <QtGlobal>
#include <functional>

class Session;
class frmMain;
struct KeptVersion;

// File > Article History... and File > Deleted Articles...: open their windows over the
// main window and carry out what they ask. Restoring a version puts it into the article
// window as unsaved edits; bringing a deleted article back writes it at once and shows it.
// Both pass the rights gate first.
class HistoryCommands
{
public:
    // `mayLeaveArticle` offers the article window's unsaved edits for saving: false when
    // the user chose to stay with them.
    HistoryCommands(Session& session, frmMain& main, std::function<bool()> mayLeaveArticle);

    void showHistory();
    void showDeleted();

    // Puts the version into the article window; false when refused or not wanted.
    bool restore(const KeptVersion& version);
    // Brings the deleted article back and shows it; false when refused or it failed.
    bool undelete(qint64 historyId);

private:
    bool historyKept();
    bool allowed();
    // Makes the row with this key current, or the first row when it is not in the set.
    void moveTo(qint64 recordId);

    Session& m_session;
    frmMain& m_main;
    std::function<bool()> m_mayLeaveArticle;
};
