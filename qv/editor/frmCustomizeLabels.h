#pragma once

#include <QDialog>

class Connection;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The "Customize Labels" dialog: edits the six field captions of table Customize. It reads
// the table once, when it is made, and is kept for the rest of the run: OK and Cancel only
// hide it, so it shows again what it held. OK writes the six captions and hands them on;
// a write that fails is reported and the dialog stays open with what the user typed.
class frmCustomizeLabels : public QDialog
{
    Q_OBJECT

public:
    static const QString ReadOnlyMessage;

    frmCustomizeLabels(Connection& db, QWidget* parent = nullptr);

    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    // The public disclaimer: shown and editable, never stored.
    QPlainTextEdit* Text7 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

Q_SIGNALS:
    // The six captions were written.
    void captionsSaved(const QStringList& captions);

private:
    void buildControls();
    QList<QLineEdit*> boxes() const;
    void showCaptions(const QStringList& captions);
    void save();
    void limitDisclaimer();

    Connection& m_db;
};
