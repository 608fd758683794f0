#pragma once

#include "editor/EditorCommands.h"

#include <QList>
#include <QWidget>
#include <utility>

class QAction;
class QComboBox;
class QToolBar;
class RichTextBox;
class dTxtHelper;

// The row of editing tools above the article window's fields: the clipboard toolbar
// `Toolbar1`, the font list `cboFont`, the size list `cboSize` and the formatting toolbar
// `Toolbar2`. Each button is an action named after its key ("M_BOLD", ...). The two-state
// buttons show the format at the caret of the box being worked in.
class EditorToolbars : public QWidget
{
    Q_OBJECT

public:
    EditorToolbars(RichTextBox& problem, RichTextBox& solution, dTxtHelper& textHelper,
                   QWidget* parent = nullptr);

    EditorCommands& commands() const { return *m_commands; }
    // Chooses the first size and then the first font, as the user would.
    void chooseFirstEntries();
    // Presses the two-state buttons that the caret's format calls for.
    void showCaretFormat();

private:
    QToolBar* makeToolbar(const char* name, int firstButton, int lastButton);
    void fillLists();

    EditorCommands* m_commands = nullptr;
    QComboBox* cboFont = nullptr;
    QComboBox* cboSize = nullptr;
    // The two-state buttons and what presses each.
    QList<std::pair<QAction*, bool (*)(const EditorCommands::CaretFormat&)>> m_twoState;
};
