#pragma once

#include "article/Article.h"
#include "history/ArticleHistory.h"
#include "history/KeptVersion.h"

#include <QDialog>
#include <QList>
#include <optional>

class Connection;
class QLabel;
class QPushButton;
class QTextEdit;
class QTreeWidget;

// File > Article History...: the kept versions of the current article, newest first, with
// when, by whom and which fields changed. The chosen version shows formatted and
// read-only, or with Compare what changed from it to the article window's text; Restore
// hands it to the main window. The main window is blocked while the window is open.
class frmHistory : public QDialog
{
    Q_OBJECT

public:
    // `current` is the article as the article window holds it.
    frmHistory(Connection& db, qint64 recordId, const Article& current, QWidget* mainWindow);

    QTreeWidget* lstVersions = nullptr;
    QLabel* lblShown = nullptr;
    QTextEdit* txtVersion = nullptr;
    QPushButton* cmdCompare = nullptr;
    QPushButton* cmdRestore = nullptr;
    QPushButton* cmdClose = nullptr;

Q_SIGNALS:
    // Restore was pressed with this version (read whole) chosen.
    void restoreRequested(const KeptVersion& version);

private:
    void buildControls();
    void showChosen();
    std::optional<KeptVersion> chosen() const;

    ArticleHistory m_history;
    Article m_current;
    QList<KeptVersion> m_versions;
};
