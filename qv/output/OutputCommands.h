#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QMainWindow;
class QPrinter;
class Session;
class frmDisplay;
class frmOpenHTML;

// The main window's output commands: printing the article shown, the HTML exports and the
// two reports. Made as a child of the main window, it connects itself to the window's menu
// items of those commands.
class OutputCommands : public QObject
{
    Q_OBJECT

public:
    using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;

    OutputCommands(Session& session, frmDisplay& display, QMainWindow& frame);
    ~OutputCommands() override;

    // Where printouts go: the system's default printer unless set otherwise (tests print
    // to a PDF file). A source that gives no printer means none is available.
    void setPrinterSource(PrinterSource source) { m_printerSource = std::move(source); }

    // The print command: asks first, then prints the article the window shows.
    void printPrompt();
    // Prints the article whose position the article window shows.
    void PrintArticle();
    void exportCurrent();
    void exportAll();
    void showLength();
    void showCategoryReport();

private:
    void connectItem(const char* name, void (OutputCommands::*command)());
    // Makes the row whose position the article window shows current, when that is a saved
    // row of the set; false, with the current row unchanged, otherwise.
    bool moveToShownRow();

    Session& m_session;
    frmDisplay& m_display;
    QMainWindow& m_frame;
    PrinterSource m_printerSource;
    frmOpenHTML* m_openHtml = nullptr;
};
