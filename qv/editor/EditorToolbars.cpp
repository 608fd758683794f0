#include "EditorToolbars.h"

#include "editor/EditorCommands.h"
#include "richtext/RichTextBox.h"

#include <QActionGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolBar>

#include <iterator>

namespace {

using Format = EditorCommands::CaretFormat;

struct Button
{
    // nullptr for a separator.
    const char* key;
    const char* toolTip;
    const char* themeIcon;
    const char* bundledIcon;
    void (*run)(EditorCommands&); // nullptr: the button does nothing and is hidden
    // For a two-state button: whether the caret's format presses it.
    bool (*pressed)(const Format&);
};

// Toolbar1 is rows 0 to 5, Toolbar2 rows 6 to 17, each in toolbar order.
const Button kButtons[] = {
    {"M_NEW", "New", "document-new", "new", nullptr, nullptr},
    {"M_OPEN", "Open", "document-open", "open", nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"M_CUT", "Cut", "edit-cut", "cut", [](EditorCommands& c) { c.cut(); }, nullptr},
    {"M_CPY", "Copy", "edit-copy", "copy", [](EditorCommands& c) { c.copy(); }, nullptr},
    {"M_PASTE", "Paste", "edit-paste", "paste", [](EditorCommands& c) { c.paste(); }, nullptr},

    {"M_BOLD", "Bold", "format-text-bold", "bold", [](EditorCommands& c) { c.toggleBold(); },
     [](const Format& f) { return f.bold; }},
    {"M_ITALIC", "Italic", "format-text-italic", "italic",
     [](EditorCommands& c) { c.toggleItalic(); }, [](const Format& f) { return f.italic; }},
    {"M_UNDERLINE", "Underline", "format-text-underline", "underline",
     [](EditorCommands& c) { c.toggleUnderline(); }, [](const Format& f) { return f.underline; }},
    {"M_COL", "Text Color", "format-text-color", "color",
     [](EditorCommands& c) { c.chooseColor(); }, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"M_LEFT", "Align Left", "format-justify-left", "left",
     [](EditorCommands& c) { c.align(RichTextBox::AlignLeft); },
     [](const Format& f) { return f.alignment == RichTextBox::AlignLeft; }},
    {"M_CENTER", "Align Center", "format-justify-center", "center",
     [](EditorCommands& c) { c.align(RichTextBox::AlignCenter); },
     [](const Format& f) { return f.alignment == RichTextBox::AlignCenter; }},
    {"M_RIGHT", "Align Right", "format-justify-right", "right",
     [](EditorCommands& c) { c.align(RichTextBox::AlignRight); },
     [](const Format& f) { return f.alignment == RichTextBox::AlignRight; }},
    {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"M_BULLET", "Bullets", "format-list-unordered", "bullets",
     [](EditorCommands& c) { c.toggleBullet(); }, [](const Format& f) { return f.bullet; }},
    {"M_IMAGE", "Image", "insert-image", "image", [](EditorCommands& c) { c.insertPicture(); },
     nullptr},
    {"M_DATE", "Insert Date Time", "x-office-calendar", "date",
     [](EditorCommands& c) { c.insertDateTime(); }, nullptr},
};

const char* const kSizes[] = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                              "20", "22", "24", "26", "28", "36", "48", "72"};

// Design units: 15 twips make one pixel at 96 dpi.
constexpr int px(int twips)
{
    return twips / 15;
}

QLabel* labelFor(QWidget* list, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(list);
    return label;
}

} // namespace

EditorToolbars::EditorToolbars(RichTextBox& problem, RichTextBox& solution, dTxtHelper& textHelper,
                               QWidget* parent)
    : QWidget(parent), m_commands(new EditorCommands(problem, solution, textHelper, this))
{
    // The pictures are linked from a static library: nothing would pull them in otherwise.
    Q_INIT_RESOURCE(editor);
    setObjectName(QStringLiteral("EditorToolbars"));
    cboFont = new QComboBox(this);
    cboFont->setObjectName(QStringLiteral("cboFont"));
    cboFont->setToolTip(QStringLiteral("Font"));
    cboFont->setFixedWidth(px(1920) + 40);
    cboSize = new QComboBox(this);
    cboSize->setObjectName(QStringLiteral("cboSize"));
    cboSize->setToolTip(QStringLiteral("Font Size"));
    fillLists();

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(makeToolbar("Toolbar1", 0, 6));
    row->addWidget(labelFor(cboFont, QStringLiteral("Fo&nt:"), this));
    row->addWidget(cboFont);
    row->addWidget(labelFor(cboSize, QStringLiteral("Si&ze:"), this));
    row->addWidget(cboSize);
    row->addWidget(makeToolbar("Toolbar2", 6, int(std::size(kButtons))));
    row->addStretch(1);
    // The three alignment buttons show which one the caret's paragraph has.
    auto* alignments = new QActionGroup(this);
    for (const char* key : {"M_LEFT", "M_CENTER", "M_RIGHT"})
        alignments->addAction(findChild<QAction*>(QLatin1String(key)));

    connect(cboFont, &QComboBox::activated, this,
            [this] { m_commands->setFontName(cboFont->currentText()); });
    connect(cboSize, &QComboBox::activated, this,
            [this] { m_commands->setFontSize(cboSize->currentText()); });
    connect(m_commands, &EditorCommands::caretFormatChanged, this,
            &EditorToolbars::showCaretFormat);
}

QToolBar* EditorToolbars::makeToolbar(const char* name, int firstButton, int lastButton)
{
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QLatin1String(name));
    toolbar->setIconSize(QSize(24, 24));
    toolbar->setMovable(false);
    for (int i = firstButton; i < lastButton; ++i) {
        const Button& button = kButtons[i];
        if (!button.key) {
            // The separator between buttons that are all hidden is hidden with them.
            toolbar->addSeparator()->setVisible(kButtons[i - 1].run != nullptr);
            continue;
        }
        const QIcon icon = QIcon::fromTheme(
            QLatin1String(button.themeIcon),
            QIcon(QStringLiteral(":/editor/%1.png").arg(QLatin1String(button.bundledIcon))));
        QAction* action = toolbar->addAction(icon, QLatin1String(button.toolTip));
        action->setObjectName(QLatin1String(button.key));
        action->setVisible(button.run != nullptr);
        action->setCheckable(button.pressed != nullptr);
        if (button.pressed)
            m_twoState.append({action, button.pressed});
        if (button.run)
            connect(action, &QAction::triggered, this, [this, &button] {
                button.run(*m_commands);
                showCaretFormat();
            });
    }
    return toolbar;
}

void EditorToolbars::fillLists()
{
    for (const char* size : kSizes)
        cboSize->addItem(QLatin1String(size));
    cboFont->addItems(QFontDatabase::families());
}

void EditorToolbars::chooseFirstEntries()
{
    for (QComboBox* list : {cboSize, cboFont}) {
        list->setCurrentIndex(0);
        Q_EMIT list->activated(0);
    }
}

void EditorToolbars::showCaretFormat()
{
    const Format format = m_commands->caretFormat();
    for (const auto& [action, pressed] : m_twoState)
        action->setChecked(pressed(format));
}
