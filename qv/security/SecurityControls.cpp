#include "SecurityControls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

QGroupBox* captionedFrame(QWidget* parent, const QString& caption, QWidget* box)
{
    auto* frame = new QGroupBox(parent);
    auto* label = new QLabel(caption, frame);
    label->setBuddy(box);
    box->setParent(frame);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(label);
    layout->addWidget(box);
    return frame;
}

QLineEdit* passwordBox(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    return box;
}
