#include "LoginSettings.h"

#include "profile/PathCase.h"
#include "shell/ProgramFolder.h"

namespace {
const QString kDisclaimerSection = QStringLiteral("Disclaimer");
const QString kRememberSection = QStringLiteral("RememberMe");
const QString kShowDisclaimer = QStringLiteral("Show Disclaimer");
const QString kRemember = QStringLiteral("Remember");
const QString kLoginName = QStringLiteral("LoginName");
const QString kYes = QStringLiteral("Yes");
const QString kNo = QStringLiteral("No");

// The disclaimer flag has always been read into a five-character buffer: four characters
// arrive, and only the first two decide.
constexpr int kFlagBufferSize = 5;
} // namespace

LoginSettings::LoginSettings()
    : m_file(resolvePathCase(programFolder(), QStringLiteral("tavrel.ini")))
{
}

bool LoginSettings::showDisclaimer() const
{
    // Written without the blank, read with it: blanks around key names do not count.
    const QString flag =
        m_file.read(kDisclaimerSection, QLatin1Char(' ') + kShowDisclaimer, kYes, kFlagBufferSize);
    return flag.left(2) != kNo;
}

void LoginSettings::setShowDisclaimer(bool show) const
{
    m_file.write(kDisclaimerSection, kShowDisclaimer, show ? kYes : kNo);
}

bool LoginSettings::rememberMe() const
{
    return m_file.read(kRememberSection, kRemember, kNo, kFlagBufferSize) == kYes;
}

void LoginSettings::setRememberMe(bool remember) const
{
    m_file.write(kRememberSection, kRemember, remember ? kYes : kNo);
}

QString LoginSettings::rememberedName() const
{
    return m_file.read(kRememberSection, kLoginName);
}

void LoginSettings::setRememberedName(const QString& name) const
{
    m_file.write(kRememberSection, kLoginName, name);
}
