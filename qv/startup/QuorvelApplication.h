#pragma once

#include <QApplication>

// The application object: an engine error that no handler took ends here, with the
// run-time error report, instead of escaping into Qt's event loop.
class QuorvelApplication : public QApplication
{
    Q_OBJECT

public:
    QuorvelApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
