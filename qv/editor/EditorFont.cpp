#include "EditorFont.h"

#include "profile/Prefs.h"

#include <optional>

namespace {

const QString kSection = QStringLiteral("Font");

std::optional<bool> readFlag(const QString& key)
{
    const QString value = ReadPref(kSection, key).trimmed();
    if (value.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (value.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

QString flagText(bool on)
{
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

namespace EditorFont {

QFont fromPrefs(const QFont& base)
{
    QFont font = base;
    const QString name = ReadPref(kSection, QStringLiteral("Font"));
    if (!name.isEmpty())
        font.setFamily(name);
    bool ok = false;
    const double size = ReadPref(kSection, QStringLiteral("FontSize")).trimmed().toDouble(&ok);
    if (ok && size > 0)
        font.setPointSizeF(size);
    if (const std::optional<bool> bold = readFlag(QStringLiteral("FontBold")))
        font.setBold(*bold);
    if (const std::optional<bool> italic = readFlag(QStringLiteral("FontItalic")))
        font.setItalic(*italic);
    return font;
}

QString sizeText(const QFont& font)
{
    return QString::number(static_cast<float>(font.pointSizeF()), 'g', 7);
}

bool save(const QFont& font)
{
    return WritePrefs(kSection,
                      {
                          {QStringLiteral("Font"), font.family()},
                          {QStringLiteral("FontSize"), sizeText(font)},
                          {QStringLiteral("FontBold"), flagText(font.bold())},
                          {QStringLiteral("FontItalic"), flagText(font.italic())},
                          {QStringLiteral("FontUnderline"), flagText(font.underline())},
                          {QStringLiteral("FontStrikeThrough"), flagText(font.strikeOut())},
                      });
}

} // namespace EditorFont
