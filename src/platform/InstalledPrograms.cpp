#include "InstalledPrograms.h"

#include "IniDocument.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace {

constexpr qint64 kMaxFileSize = 1 << 20; // an entry list, never large

QString appendFile(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("Kelvan/installed.ini"));
}

} // namespace

TIniInstalledPrograms::TIniInstalledPrograms(QStringList files) : FFiles(std::move(files)) {}

std::optional<TInstalledProgram> TIniInstalledPrograms::find(const QString& productKey) const
{
    const std::string section = productKey.toStdString();
    for (const QString& path : FFiles) {
        QFile file(path);
        if (file.size() > kMaxFileSize || !file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        if (bytes.contains('\0'))
            continue; // not a text file
        TIniDocument ini;
        ini.parse(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!ini.hasSection(section))
            continue;
        TInstalledProgram entry;
        entry.installDir = QString::fromStdString(ini.text(section, "Install_Dir", ""));
        entry.version = QString::fromStdString(ini.text(section, "Version", ""));
        return entry;
    }
    return std::nullopt;
}

QStringList TIniInstalledPrograms::defaultFiles()
{
    QStringList files;
    QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (home.isEmpty())
        home = QDir::homePath() + QStringLiteral("/.config");
    files << appendFile(home);
    QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/etc/xdg");
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        files << appendFile(dir);
    return files;
}

#ifdef Q_OS_WIN
namespace {

class TRegistryInstalledPrograms : public TInstalledPrograms {
public:
    std::optional<TInstalledProgram> find(const QString& productKey) const override
    {
        QSettings software(QStringLiteral("HKEY_LOCAL_MACHINE\\Software"),
                           QSettings::NativeFormat);
        if (!software.childGroups().contains(productKey))
            return std::nullopt;
        software.beginGroup(productKey);
        TInstalledProgram entry;
        entry.installDir = software.value(QStringLiteral("Install_Dir")).toString();
        entry.version = software.value(QStringLiteral("Version")).toString();
        return entry;
    }
};

} // namespace

std::unique_ptr<TInstalledPrograms> makeInstalledPrograms()
{
    return std::make_unique<TRegistryInstalledPrograms>();
}
#else
std::unique_ptr<TInstalledPrograms> makeInstalledPrograms()
{
    return std::make_unique<TIniInstalledPrograms>(TIniInstalledPrograms::defaultFiles());
}
#endif
