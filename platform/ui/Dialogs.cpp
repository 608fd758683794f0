#include "Dialogs.h"

#include "QtDialogs.h"

namespace {
Dialogs* g_installed = nullptr;
}

Dialogs::Answer Dialogs::inform(const QString& text, const QString& title, QWidget* parent)
{
    return message({text, title, Buttons::Ok, Icon::None, std::nullopt}, parent);
}

Dialogs& dialogs()
{
    static QtDialogs real;
    return g_installed ? *g_installed : real;
}

void installDialogs(Dialogs* replacement)
{
    g_installed = replacement;
}
