#include "frmDisplay.h"

#include "attachments/frmImages.h"
#include "editor/EditorFont.h"
#include "editor/EditorToolbars.h"
#include "editor/FieldLabels.h"
#include "editor/SearchMarks.h"
#include "richtext/RichTextBox.h"
#include "richtext/dTxtHelper.h"
#include "shell/ProgramFolder.h"
#include "shell/Shell.h"
#include "startup/Session.h"
#include "text/NumberText.h"
#include "ui/Dialogs.h"
#include "ui/Mnemonic.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace {

// Design units: 15 twips make one pixel at 96 dpi.
constexpr int px(int twips)
{
    return twips / 15;
}

const QString kTitle = QStringLiteral("Quorvel");

const char* const kCaptionNames[6] = {"lblProblemNo", "lbCUName", "lblTech",
                                      "Label4",       "lblProblem", "lblSolution"};
const char* const kDesignCaptions[6] = {"QV Number:", "Category:", "Entered By:",
                                        "Title:",     "Problem Description:", "Solution:"};

// Letters whose Alt shortcut is taken by the main window's menus, this window's buttons and
// the labels of its font lists.
const QString kReservedMnemonics = QStringLiteral("fsthrinz");

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The longest article number the user may type.
constexpr int kIdLength = 5;
// Boxes that take whatever they are given: a stored value is never cut.
constexpr int kNoLimit = std::numeric_limits<int>::max();

// Shows a text whole, even where it is longer than the box lets the user type.
void showText(QLineEdit* box, const QString& text, int typedLimit = kNoLimit)
{
    box->setMaxLength(int(qMax<qsizetype>(typedLimit, text.size())));
    if (box->text() != text)
        box->setText(text);
}

} // namespace

frmDisplay::frmDisplay(Session& session, QWidget* parent)
    : QWidget(parent), m_session(session), m_textHelper(std::make_unique<dTxtHelper>())
{
    setObjectName(QStringLiteral("frmDisplay"));
    setAccessibleName(QStringLiteral("Quorvel Article"));
    buildControls();

    // Load: nobody has logged in yet when the article window is made.
    m_session.login.UserLoggedIn = false;
    m_session.login.UserIsReadOnly = false;
    setCaptions(FieldLabels::load(m_session.db()));
    FillNameLists();
    setPlainCopyFont(EditorFont::fromPrefs(plainCopyFont()));
    m_textHelper->SetEditor(txtNote);
    m_toolbars->chooseFirstEntries();
}

frmDisplay::~frmDisplay() = default;

void frmDisplay::buildControls()
{
    QString used = kReservedMnemonics;

    for (int i = 0; i < 6; ++i)
        m_captions[i] = makeLabel(this, kCaptionNames[i], QLatin1String(kDesignCaptions[i]));

    txtID = named(new QLineEdit(this), "txtID");
    txtID->setMaxLength(kIdLength);
    txtID->setFixedWidth(px(2415));
    cboCUName = named(new QComboBox(this), "cboCUName");
    cboTechName = named(new QComboBox(this), "cboTechName");
    for (QComboBox* list : {cboCUName, cboTechName}) {
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setFixedWidth(px(2415));
        list->lineEdit()->setMaxLength(kNoLimit);
    }

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(px(2160 - 480) - px(1600));
    QWidget* const leftFields[3] = {txtID, cboCUName, cboTechName};
    for (int row = 0; row < 3; ++row) {
        m_captions[row]->setMinimumWidth(px(1600));
        fields->addWidget(m_captions[row], row, 0);
        fields->addWidget(leftFields[row], row, 1);
    }

    auto* frame = named(new QGroupBox(QStringLiteral("Quorvel Article Information"), this),
                        "Frame1");
    frame->setMinimumWidth(px(7455));
    auto* frameGrid = new QGridLayout(frame);
    Label7 = makeLabel(frame, "Label7", QString());
    Label6 = makeLabel(frame, "Label6", QString());
    txtDateEdited = named(new QLineEdit(frame), "txtDateEdited");
    txtDateEdited->setFixedWidth(px(2055));
    txtEditedBy = named(new QLineEdit(frame), "txtEditedBy");
    txtEditedBy->setFixedWidth(px(1935));
    frameGrid->addWidget(makeLabel(frame, "Label2", QStringLiteral("Initial Entry:")), 0, 0);
    frameGrid->addWidget(Label7, 0, 1);
    frameGrid->addWidget(makeLabel(frame, "Label5", QStringLiteral("Database record:")), 0, 2);
    frameGrid->addWidget(Label6, 0, 3);
    auto* dateLabel = makeLabel(frame, "Label3", QStringLiteral("Date Edited:"));
    auto* editedByLabel = makeLabel(frame, "Label1", QStringLiteral("Edited By:"));
    frameGrid->addWidget(dateLabel, 1, 0);
    frameGrid->addWidget(txtDateEdited, 1, 1);
    frameGrid->addWidget(editedByLabel, 1, 2);
    frameGrid->addWidget(txtEditedBy, 1, 3);
    frameGrid->setColumnStretch(4, 1);

    auto* top = new QHBoxLayout;
    top->addLayout(fields);
    top->addSpacing(px(4920 - 4575));
    top->addWidget(frame);
    top->addStretch(1);

    txtTitle = named(new QLineEdit(QStringLiteral("N/A"), this), "txtTitle");
    txtNote = named(new RichTextBox(this), "txtNote");
    txtNote2 = named(new RichTextBox(this), "txtNote2");
    for (RichTextBox* box : {txtNote, txtNote2})
        box->setMinimumHeight(px(1935) / 2);

    lblWarning = makeLabel(this, "lblWarning", QString());
    lblWarning->setStyleSheet(QStringLiteral("color: #b00000;"));
    lblWarning->setWordWrap(true);
    Check1 = named(new QCheckBox(QStringLiteral("Public Article"), this), "Check1");
    cmdPublic = named(new QPushButton(QStringLiteral(">>"), this), "cmdPublic");
    cmdPublic->setEnabled(false);
    cmdPublic->setAccessibleName(QStringLiteral("Public article"));
    auto* publicRow = new QHBoxLayout;
    publicRow->addSpacing(px(5040 - 480));
    publicRow->addWidget(Check1);
    publicRow->addWidget(cmdPublic);
    publicRow->addStretch(1);

    cmdReference = named(new QPushButton(QStringLiteral("&Reference"), this), "cmdReference");
    cmdReference->setFixedWidth(px(1215));
    txtReference = named(new QLineEdit(this), "txtReference");
    txtReference->setAccessibleName(QStringLiteral("Reference"));
    auto* referenceRow = new QHBoxLayout;
    referenceRow->addWidget(cmdReference);
    referenceRow->addWidget(txtReference, 1);
    Command1 = named(new QPushButton(QStringLiteral("&Images/Attachments"), this), "Command1");
    Command1->setFixedWidth(px(1935));

    // Never shown: the plain copies and the saved-article marker.
    txtProblem = named(new QPlainTextEdit(this), "txtProblem");
    txtSolution = named(new QPlainTextEdit(this), "txtSolution");
    txtInitial = named(new QLineEdit(this), "txtInitial");
    for (QWidget* hidden : {static_cast<QWidget*>(txtProblem), static_cast<QWidget*>(txtSolution),
                            static_cast<QWidget*>(txtInitial)})
        hidden->hide();

    m_toolbars = new EditorToolbars(*txtNote, *txtNote2, *m_textHelper, this);

    auto* page = new QVBoxLayout(this);
    // The wide boxes end 120 twips (8 pixels) from the right edge at any width.
    page->setContentsMargins(px(480), px(120), px(120), px(120));
    page->addWidget(m_toolbars);
    page->addLayout(top);
    page->addWidget(m_captions[3]);
    page->addWidget(txtTitle);
    page->addWidget(m_captions[4]);
    page->addWidget(txtNote, 1);
    page->addWidget(lblWarning);
    page->addLayout(publicRow);
    page->addWidget(m_captions[5]);
    page->addWidget(txtNote2, 1);
    page->addLayout(referenceRow);
    page->addWidget(Command1, 0, Qt::AlignLeft);

    // Alt+letter for every input. The six captions, which the user may rename, take
    // theirs last, so that a new caption never takes the letter of a fixed label.
    m_captions[0]->setBuddy(txtID);
    m_captions[1]->setBuddy(cboCUName);
    m_captions[2]->setBuddy(cboTechName);
    m_captions[3]->setBuddy(txtTitle);
    m_captions[4]->setBuddy(txtNote);
    m_captions[5]->setBuddy(txtNote2);
    dateLabel->setText(Mnemonic::add(dateLabel->text(), used));
    dateLabel->setBuddy(txtDateEdited);
    editedByLabel->setText(Mnemonic::add(editedByLabel->text(), used));
    editedByLabel->setBuddy(txtEditedBy);
    Check1->setText(Mnemonic::add(Check1->text(), used));
    m_fixedMnemonics = used;
    setCaptions({});
    for (QLineEdit* box : {txtTitle, txtReference, txtEditedBy, txtDateEdited})
        box->setMaxLength(kNoLimit);
    orderTabs();

    connect(txtID, &QLineEdit::textEdited, this, &frmDisplay::checkId);
    connect(cboCUName, &QComboBox::editTextChanged, this,
            [this] { typeAhead(cboCUName, m_categoryTypeAhead); });
    connect(cboTechName, &QComboBox::editTextChanged, this,
            [this] { typeAhead(cboTechName, m_authorTypeAhead); });
    connect(Check1, &QCheckBox::toggled, cmdPublic, &QPushButton::setEnabled);
    connect(cmdReference, &QPushButton::clicked, this, &frmDisplay::openReference);
    connect(Command1, &QPushButton::clicked, this, &frmDisplay::openAttachments);
    connect(txtNote, &RichTextBox::selChange, this, &frmDisplay::updateLengthWarning);
    connect(txtNote2, &QTextEdit::textChanged, this, &frmDisplay::updateLengthWarning);
    for (RichTextBox* box : {txtNote, txtNote2})
        connect(box, &RichTextBox::loadFinished, this, &frmDisplay::updateLengthWarning);
}

void frmDisplay::setCaptions(const QStringList& captions)
{
    QString used = m_fixedMnemonics;
    for (int i = 0; i < FieldLabels::Count; ++i) {
        const QString text = i < captions.size() ? captions.at(i) : m_captions[i]->text();
        m_captions[i]->setText(Mnemonic::add(text, used));
    }
}

void frmDisplay::FillNameLists()
{
    cboCUName->clear();
    cboTechName->clear();
    for (const QString& name : m_session.CategoryNames)
        cboCUName->addItem(name);
    for (const QString& name : m_session.AuthorNames)
        cboTechName->addItem(name);
    cboCUName->setCurrentIndex(-1);
    cboTechName->setCurrentIndex(-1);
}

void frmDisplay::orderTabs()
{
    // As the eye reads the window: the left column, the information frame, then down the
    // page, with the public-article controls between Problem and Solution.
    const QList<QWidget*> order = {txtID,    cboCUName, cboTechName, txtDateEdited, txtEditedBy,
                                   txtTitle, txtNote,   Check1,      cmdPublic,     txtNote2,
                                   cmdReference, txtReference, Command1};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void frmDisplay::showArticle(const Article& article, int position)
{
    fill(article, QStringLiteral(" "), position);
    clearEdits();
}

void frmDisplay::beginNewArticle(const Article& article, int position)
{
    txtProblem->clear();
    txtSolution->clear();
    fill(article, QString(), position);
    clearEdits();
    m_newArticle = true;
}

void frmDisplay::showRestored(const Article& article, const QStringList& attachments)
{
    fill(article, QString(), int(shownPosition()));
    txtNote->document()->setModified(false);
    txtNote2->document()->setModified(false);
    m_restored = article;
    m_restoredAttachments = attachments;
}

void frmDisplay::fill(const Article& article, const QString& documentEnd, int position)
{
    // The length warning is worked out once at the end, not on every edit of the load.
    const QSignalBlocker blockProblem(txtNote);
    const QSignalBlocker blockSolution(txtNote2);
    showFields(article);
    Label6->setText(position > 0 ? QString::number(position) : QString());
    txtNote->setTextRtf(article.problem + documentEnd);
    txtNote2->setTextRtf(article.solution + documentEnd);
    updateLengthWarning();
    showSearchMarks();
    m_toolbars->showCaretFormat();
}

void frmDisplay::markSearchText(const QString& pattern)
{
    m_searchPattern = pattern;
    showSearchMarks();
}

void frmDisplay::showSearchMarks()
{
    for (RichTextBox* box : {txtNote, txtNote2})
        box->setExtraSelections(SearchMarks::find(box->document(), m_searchPattern));
}

void frmDisplay::showFields(const Article& article)
{
    showText(txtID, article.id, kIdLength);
    showListText(cboCUName, article.category);
    showListText(cboTechName, article.author);
    showText(txtReference, article.reference);
    Label7->setText(article.initialEntry);
    showText(txtEditedBy, article.editedBy);
    showText(txtDateEdited, article.dateEdited);
    showText(txtTitle, article.title);
}

void frmDisplay::showListText(QComboBox* list, const QString& text)
{
    // A shown value is not typed: type-ahead leaves it as it stands.
    const QSignalBlocker block(list);
    showText(list->lineEdit(), text);
    list->setToolTip(text);
}

Article frmDisplay::article() const
{
    Article shown;
    shown.id = txtID->text();
    shown.category = cboCUName->currentText();
    shown.author = cboTechName->currentText();
    shown.title = txtTitle->text();
    shown.problem = txtNote->textRtf();
    shown.solution = txtNote2->textRtf();
    shown.problemText = txtNote->text();
    shown.solutionText = txtNote2->text();
    // A restored document that was not edited since is the version's own.
    if (m_restored && !txtNote->document()->isModified()) {
        shown.problem = m_restored->problem;
        shown.problemText = m_restored->problemText;
    }
    if (m_restored && !txtNote2->document()->isModified()) {
        shown.solution = m_restored->solution;
        shown.solutionText = m_restored->solutionText;
    }
    shown.reference = txtReference->text();
    shown.initialEntry = Label7->text();
    shown.editedBy = txtEditedBy->text();
    shown.dateEdited = txtDateEdited->text();
    return shown;
}

double frmDisplay::shownPosition() const
{
    return NumberText::leadingValue(Label6->text());
}

QString frmDisplay::lengthWarning(qsizetype totalCharacters)
{
    if (totalCharacters <= kLengthWarningLimit)
        return QString();
    return QStringLiteral("Warning: Current length of article is greater than 1 MB ") +
           QStringLiteral("which can unneccessarily grow the size of the database. Consider "
                          "revising your article.");
}

void frmDisplay::updateLengthWarning()
{
    const qsizetype total = txtNote2->textLength() + txtNote->textLength();
    lblWarning->setText(lengthWarning(total));
}

QFont frmDisplay::plainCopyFont() const
{
    return txtProblem->font();
}

void frmDisplay::setPlainCopyFont(const QFont& font)
{
    txtProblem->setFont(font);
    txtSolution->setFont(font);
}

void frmDisplay::typeAhead(QComboBox* list, TypeAhead& cursor)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    if (const std::optional<QString> item = cursor.complete(items, list->currentText()))
        list->setEditText(*item);
    list->setToolTip(list->currentText());
}

void frmDisplay::checkId(const QString& text)
{
    if (!NumberText::isNumeric(text))
        dialogs().inform(QStringLiteral("The ID number should be digits only. Please try again."),
                         kTitle, this);
}

void frmDisplay::openReference()
{
    const QString reference = txtReference->text().trimmed();
    if (reference.isEmpty() || reference == QStringLiteral("N/A"))
        return;
    shell().openDocument(reference, programFolder());
}

void frmDisplay::openAttachments()
{
    if (txtProblem->toPlainText().isEmpty() || txtSolution->toPlainText().isEmpty()) {
        dialogs().inform(QStringLiteral("Please make sure the article is saved before opening "
                                        "images/attachments."),
                         kTitle, this);
        return;
    }
    // The captions carry their Alt+letter marks; the window's caption shows them plain.
    auto* attachments =
        new frmImages(m_session.rsArticles(), m_captions[0]->text().remove(QLatin1Char('&')),
                      txtID->text(), window());
    attachments->show();
}

void frmDisplay::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Q_EMIT closeRequested();
}

QList<QLineEdit*> frmDisplay::editableLines() const
{
    return {txtID, txtTitle, txtReference, txtEditedBy, txtDateEdited, cboCUName->lineEdit(),
            cboTechName->lineEdit()};
}

QStringList frmDisplay::lineTexts() const
{
    QStringList texts;
    for (const QLineEdit* box : editableLines())
        texts << box->text();
    return texts;
}

void frmDisplay::clearEdits()
{
    m_newArticle = false;
    m_restored.reset();
    m_restoredAttachments.clear();
    m_shownTexts = lineTexts();
    txtNote->document()->setModified(false);
    txtNote2->document()->setModified(false);
}

void frmDisplay::markSaved()
{
    clearEdits();
    txtProblem->setPlainText(QStringLiteral("0"));
    txtSolution->setPlainText(QStringLiteral("0"));
}

bool frmDisplay::isModified() const
{
    return m_newArticle || m_restored || txtNote->document()->isModified() ||
           txtNote2->document()->isModified() || lineTexts() != m_shownTexts;
}
