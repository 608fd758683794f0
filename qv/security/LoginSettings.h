#pragma once

#include "profile/PrivateProfile.h"

#include <QString>

// The login window's own settings file, tavrel.ini in the program folder itself (not in
// its "ini" folder): whether the disclaimer is shown and whether the last login name is
// remembered. Read at the moment of use and written at once; a write that fails is not
// reported, the window simply works on.
class LoginSettings
{
public:
    LoginSettings();

    // False when "Show Disclaimer" starts with "No"; an absent file or key shows it.
    bool showDisclaimer() const;
    void setShowDisclaimer(bool show) const;

    bool rememberMe() const;
    void setRememberMe(bool remember) const;

    // The name of the last successful login made with "Remember Me" ticked.
    QString rememberedName() const;
    void setRememberedName(const QString& name) const;

private:
    PrivateProfile m_file;
};
