#pragma once

#include "article/Article.h"
#include "editor/TypeAhead.h"

#include <QWidget>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class RichTextBox;
class EditorToolbars;
class dTxtHelper;
class Session;

// The article window: shows the current article and is where it is edited. The main
// window hands it the article to show and takes the edited article back as one value.
class frmDisplay : public QWidget
{
    Q_OBJECT

public:
    // Past this many plain characters in Problem and Solution together the window warns.
    static constexpr qsizetype kLengthWarningLimit = 1024768;

    explicit frmDisplay(Session& session, QWidget* parent = nullptr);
    ~frmDisplay() override;

    // Shows an article at its 1-based position in the article set (0: none). Each document
    // is given its text followed by one blank, so that an empty field shows as an empty
    // document. What is shown counts as unedited.
    void showArticle(const Article& article, int position);
    // Starts a new article in the controls, shown as it stands, with the saved-article marker
    // cleared: it counts as edited until it is saved.
    void beginNewArticle(const Article& article, int position);
    // Puts a kept version of the shown article into the controls as unsaved edits. Until a
    // document is edited, it is saved as the version holds it, byte for byte; a save also
    // writes the version's attachment slots.
    void showRestored(const Article& article, const QStringList& attachments);
    // The attachment slots a save writes besides the article: a restored version's, or
    // none.
    QStringList restoredAttachments() const { return m_restoredAttachments; }
    // The article as the controls hold it now.
    Article article() const;
    // Puts the one-line fields of the article into their boxes (what a save filled in),
    // leaving the two documents as they are.
    void showFields(const Article& article);
    // The position the window shows, as a number (0 when none).
    double shownPosition() const;
    // The shown article was saved: sets the saved-article marker and clears the edits.
    void markSaved();
    // Whether the window holds edits that were not saved (or a new article never saved).
    bool isModified() const;

    // The warning for a Problem and Solution of this many plain characters ("" when none).
    static QString lengthWarning(qsizetype totalCharacters);

    // Shows the field captions of the number, category, author, title, problem and solution,
    // in that order; a shorter list leaves the texts of the later captions as they are.
    void setCaptions(const QStringList& captions);

    // Fills the category and author lists from the session's name lists (again).
    void FillNameLists();

    // Marks the places of a search pattern ("*" for any run) in Problem and Solution, in this
    // and every article shown after it, until it is called with "".
    void markSearchText(const QString& pattern);

    // The font of the hidden plain copies of Problem and Solution.
    QFont plainCopyFont() const;
    void setPlainCopyFont(const QFont& font);

    // The controls, under the names the rest of the program uses for them.
    QLineEdit* txtID = nullptr;
    QComboBox* cboCUName = nullptr;
    QComboBox* cboTechName = nullptr;
    QLineEdit* txtTitle = nullptr;
    RichTextBox* txtNote = nullptr;
    RichTextBox* txtNote2 = nullptr;
    QLineEdit* txtReference = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* txtEditedBy = nullptr;
    QLineEdit* txtDateEdited = nullptr;
    QPlainTextEdit* txtProblem = nullptr;
    QPlainTextEdit* txtSolution = nullptr;
    QLabel* lblWarning = nullptr;

Q_SIGNALS:
    // The user asked to close the window; the main window decides whether the program
    // ends.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void orderTabs();
    void fill(const Article& article, const QString& documentEnd, int position);
    void showListText(QComboBox* list, const QString& text);
    void typeAhead(QComboBox* list, TypeAhead& cursor);
    void checkId(const QString& text);
    void updateLengthWarning();
    void showSearchMarks();
    void openReference();
    void openAttachments();
    void clearEdits();
    QList<QLineEdit*> editableLines() const;
    QStringList lineTexts() const;

    Session& m_session;
    std::unique_ptr<dTxtHelper> m_textHelper;
    EditorToolbars* m_toolbars = nullptr;
    TypeAhead m_categoryTypeAhead;
    TypeAhead m_authorTypeAhead;
    QLabel* m_captions[6] = {};
    // The Alt+letters the captions may not take.
    QString m_fixedMnemonics;
    QCheckBox* Check1 = nullptr;
    QPushButton* cmdPublic = nullptr;
    QPushButton* cmdReference = nullptr;
    QPushButton* Command1 = nullptr;
    QLineEdit* txtInitial = nullptr;
    bool m_newArticle = false;
    QString m_searchPattern;
    // The texts of editableLines() as last shown or saved.
    QStringList m_shownTexts;
    // A restored version waiting to be saved, and its attachment slots.
    std::optional<Article> m_restored;
    QStringList m_restoredAttachments;
};
