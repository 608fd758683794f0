#pragma once

#include "Dialogs.h"

// The real dialogs: QMessageBox, QFileDialog, QColorDialog, QFontDialog.
class QtDialogs : public Dialogs
{
public:
    Answer message(const Message& message, QWidget* parent = nullptr) override;
    QString openFileName(const FileRequest& request, QWidget* parent = nullptr) override;
    QString saveFileName(const FileRequest& request, QWidget* parent = nullptr) override;
    std::optional<QColor> color(const QColor& initial, QWidget* parent = nullptr) override;
    std::optional<QFont> font(const QFont& initial, QWidget* parent = nullptr) override;
    void endProgram(int exitCode = 0) override;
};
