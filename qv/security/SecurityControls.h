#pragma once

#include <QString>

class QGroupBox;
class QLineEdit;
class QWidget;

// Controls the security windows share.

// A frame holding one box under its caption; the caption's mnemonic reaches the box.
QGroupBox* captionedFrame(QWidget* parent, const QString& caption, QWidget* box);

// A text box that shows each character as "*", whatever the style's own password
// character is.
QLineEdit* passwordBox(QWidget* parent, const char* name);
