#pragma once

#include <QMainWindow>
#include <memory>

namespace Ui {
class Form1;
}

// The Wayset window: shows the recorded database path and writes it back on OK. A server
// address is written only when it names a server and a database and holds no password.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The preferences file this window reads and writes.
    static QString prefsFile();

private:
    void load();
    void ok();
    void about();

    std::unique_ptr<Ui::Form1> m_ui;
};
