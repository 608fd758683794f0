#pragma once

#include <memory>

class Session;
class frmMain;

// What start-up leaves running: the session and its main window, which with passwords on
// is hidden behind its login window. Both empty when the program ended during start-up.
struct Program
{
    std::unique_ptr<Session> session;
    std::unique_ptr<frmMain> mainWindow;

    Program();
    Program(Program&&) noexcept;
    Program& operator=(Program&&) noexcept;
    ~Program();
};

// The start-up sequence: reads the database path, opens the database, brings an old one
// up to date, loads the name lists, opens the article set and shows the main window, or
// with passwords on the login window, which shows the main window after a login.
// When the path names no knowledge base it says so, starts the path utility and ends the
// program. Engine errors after the database is open, and a file still locked by another
// program when the wait for it ends, travel to the caller.
Program Main();
