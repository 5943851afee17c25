#include "FirmwareMinimums.h"

#include "InstalledPrograms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr qint64 kMaxMinVerSize = 64 * 1024; // eight keys; anything larger is not ours
}

QString updaterExecutableName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Kelvan Flashkit.exe");
#else
    return QStringLiteral("Kelvan Flashkit");
#endif
}

QString TFirmwareMinimums::updaterProgram() const
{
    return QDir(FUpdaterPath).filePath(updaterExecutableName());
}

QString TFirmwareMinimums::minVerFile() const
{
    return QDir(FUpdaterPath).filePath(QStringLiteral("minver.ini"));
}

TFirmwareMinimums ReadFirmwareMinimums(const TInstalledPrograms& programs)
{
    TFirmwareMinimums m;
    const auto entry = programs.find(QString::fromLatin1(kUpdaterProductKey));
    if (!entry || entry->installDir.isEmpty())
        return m;
    m.FUpdaterPath = entry->installDir;
    const QFileInfo program(m.updaterProgram());
    m.FUpdaterInstalled = program.isFile() && program.isExecutable();
    if (!m.FUpdaterInstalled)
        return m;

    QFile file(m.minVerFile());
    if (!file.exists()) {
        m.minVerProblem = QStringLiteral("%1 is missing").arg(file.fileName());
        return m;
    }
    if (file.size() > kMaxMinVerSize) {
        m.minVerProblem = QStringLiteral("%1 is too large").arg(file.fileName());
        return m;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m.minVerProblem = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
        return m;
    }
    const QByteArray bytes = file.read(kMaxMinVerSize + 1);
    const TMinVerRead read =
        parseMinVer(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    m.MinVer = read.values;
    if (!read.badKey.empty())
        m.minVerProblem = QStringLiteral("%1: the value of %2 is not hexadecimal")
                              .arg(file.fileName(), QString::fromStdString(read.badKey));
    return m;
}
