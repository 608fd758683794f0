#include "frmCustomizeLabels.h"

#include "db/DbError.h"
#include "editor/FieldLabels.h"
#include "ui/Dialogs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kDisclaimer = QStringLiteral(
    "If this article does not resolve your concern, \r\nplease contact Customer Support for "
    "further assistance.\r\n\r\nThe information contained in this \r\nQuorvel is subject to "
    "the Terms of Use.\r\n");
constexpr int kDisclaimerLimit = 256;
constexpr int kCaptionLimit = 255;

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

const QString frmCustomizeLabels::ReadOnlyMessage =
    QStringLiteral("Can't display labels. The current user rights are set to read only.");

frmCustomizeLabels::frmCustomizeLabels(Connection& db, QWidget* parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("frmCustomizeLabels"));
    setWindowTitle(QStringLiteral("Customize Labels"));
    setWindowModality(Qt::WindowModal);
    buildControls();
    showCaptions(FieldLabels::load(m_db));
}

void frmCustomizeLabels::buildControls()
{
    Text1 = named(new QLineEdit(this), "Text1");
    Text2 = named(new QLineEdit(this), "Text2");
    Text3 = named(new QLineEdit(this), "Text3");
    Text4 = named(new QLineEdit(this), "Text4");
    Text5 = named(new QLineEdit(this), "Text5");
    Text6 = named(new QLineEdit(this), "Text6");
    const char* const captions[FieldLabels::Count] = {
        "&QV Number:", "Cate&gory:", "&Entered By:", "&Title:", "&Problem:", "&Solution:"};
    auto* grid = new QGridLayout;
    for (int row = 0; row < FieldLabels::Count; ++row) {
        QLineEdit* box = boxes().at(row);
        box->setMaxLength(kCaptionLimit);
        box->setMinimumWidth(260);
        auto* label = new QLabel(QLatin1String(captions[row]), this);
        label->setObjectName(QStringLiteral("Label%1").arg(row + 1));
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
    }

    Text7 =
        named(new QPlainTextEdit(
                  QString(kDisclaimer).replace(QLatin1String("\r\n"), QLatin1String("\n")), this),
              "Text7");
    Text7->setTabChangesFocus(true);
    auto* label7 = named(
        new QLabel(QStringLiteral("Public &Disclaimer for Quorvel Articles:"), this), "Label7");
    label7->setBuddy(Text7);

    auto* buttons = new QDialogButtonBox(this);
    Command1 =
        named(buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole), "Command1");
    Command2 = named(buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole),
                     "Command2");
    Command3 =
        named(buttons->addButton(QStringLiteral("&Reset to Default"), QDialogButtonBox::ResetRole),
              "Command3");
    Command1->setDefault(true);
    Command2->setAutoDefault(false);
    Command3->setAutoDefault(false);

    auto* page = new QVBoxLayout(this);
    page->addLayout(grid);
    page->addWidget(label7);
    page->addWidget(Text7);
    page->addWidget(buttons);

    connect(Command1, &QPushButton::clicked, this, &frmCustomizeLabels::save);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Command3, &QPushButton::clicked, this,
            [this] { showCaptions(FieldLabels::defaults()); });
    connect(Text7, &QPlainTextEdit::textChanged, this, &frmCustomizeLabels::limitDisclaimer);
}

QList<QLineEdit*> frmCustomizeLabels::boxes() const
{
    return {Text1, Text2, Text3, Text4, Text5, Text6};
}

void frmCustomizeLabels::showCaptions(const QStringList& captions)
{
    const QList<QLineEdit*> all = boxes();
    for (qsizetype i = 0; i < captions.size(); ++i)
        all.at(i)->setText(captions.at(i));
}

void frmCustomizeLabels::save()
{
    QStringList captions;
    for (const QLineEdit* box : boxes())
        captions << box->text();
    try {
        FieldLabels::save(m_db, captions);
    } catch (const DbError& error) {
        dialogs().inform(QStringLiteral("The labels could not be saved. ") + error.description(),
                         QStringLiteral("Quorvel"), this);
        return;
    }
    accept();
    Q_EMIT captionsSaved(captions);
}

void frmCustomizeLabels::limitDisclaimer()
{
    const QString text = Text7->toPlainText();
    if (text.size() <= kDisclaimerLimit)
        return;
    // What goes over the limit was typed or pasted just before the caret: it is dropped.
    const int caret = Text7->textCursor().position();
    const qsizetype excess = text.size() - kDisclaimerLimit;
    const qsizetype cut = qMax<qsizetype>(0, caret - excess);
    const QSignalBlocker block(Text7);
    Text7->setPlainText(text.left(cut) + text.mid(cut + excess));
    QTextCursor cursor = Text7->textCursor();
    cursor.setPosition(int(cut));
    Text7->setTextCursor(cursor);
}
