#include "Shell.h"

#include "DesktopShell.h"

namespace {
Shell* g_installed = nullptr;
}

Shell& shell()
{
    static DesktopShell real;
    return g_installed ? *g_installed : real;
}

void installShell(Shell* replacement)
{
    g_installed = replacement;
}
