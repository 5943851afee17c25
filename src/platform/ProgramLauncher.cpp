#include "ProgramLauncher.h"

#include <QFileInfo>
#include <QProcess>

bool startProgram(const QString& program, const QStringList& arguments, const QString& workingDir,
                  QString* error)
{
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable()) {
        if (error)
            *error = QStringLiteral("%1 is not an executable file").arg(program);
        return false;
    }
    QProcess process;
    process.setProgram(info.absoluteFilePath());
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDir.isEmpty() ? info.absolutePath() : workingDir);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        if (error)
            *error = process.errorString();
        return false;
    }
    return true;
}
