#include "CliReports.h"

#include "DisplayInputs.h"
#include "DisplayModel.h"
#include "LiveChannelState.h"
#include "StreamTable.h"

#include <QFile>
#include <QFileInfo>

QString instanceAnswerText(const QString& command, int answer)
{
    if (command == QLatin1String("status") && answer == 1)
        return QStringLiteral("running");
    if (command == QLatin1String("close") && answer == 2)
        return QStringLiteral("closing");
    return QStringLiteral("not understood (answer %1)").arg(answer);
}

QString frameLine(int index, const TLiveChannelState& s, const TStreamLayout& layout)
{
    // The main window's own rules for its count, LTA and delta labels.
    TDisplayInputs in;
    in.takeLayout(layout);
    TDisplayModel model;
    model.frame(s, in, false);
    const TDisplayView& v = model.view();
    auto text = [](const std::string& t) { return QString::fromStdString(t); };

    QString line = QString::number(index);
    for (std::size_t n = 0; n < 6; ++n)
        line += QStringLiteral(" count%1=%2").arg(n).arg(text(v.CountTexts[n]));
    for (std::size_t n = 0; n < 4; ++n)
        line += QStringLiteral(" lta%1=%2").arg(n).arg(text(v.LtaTexts[n]));
    for (std::size_t n = 0; n < 4; ++n)
        line += QStringLiteral(" delta%1=%2").arg(n).arg(text(v.DeltaTexts[n]));
    for (const char* kind : {"prox", "touch"}) {
        const auto& flags = *kind == 'p' ? s.FProxBools : s.FTouchBools;
        for (std::size_t n = 0; n < flags.size(); ++n)
            line +=
                QStringLiteral(" %1%2=%3")
                    .arg(QLatin1String(kind))
                    .arg(n)
                    .arg(layout.PTActive ? QString::number(int(flags[n])) : QStringLiteral("N/A"));
    }
    line += QStringLiteral(" hall=%1 temp=%2 qrd=%3 metal=%4 flags=%5 events=%6")
                .arg(s.FHallNS ? s.FHallValue : -s.FHallValue)
                .arg(s.FTemperatureValue)
                .arg(s.FQRDValue)
                .arg(s.FMetalUIValue)
                .arg(QString::asprintf("%02X", s.FSysFlags))
                .arg(QString::asprintf("%02X", s.FSysEvents));
    return line;
}

bool printsFrame(int frame, int every)
{
    return every <= 1 || frame % every == 0;
}

std::optional<QString> logFolderProblem(const QString& file)
{
    const QFileInfo info(file);
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return QStringLiteral("the folder %1 does not exist").arg(folder.filePath());
    if (!folder.isDir())
        return QStringLiteral("%1 is not a folder").arg(folder.filePath());
    if (info.isDir())
        return QStringLiteral("%1 is a folder").arg(info.filePath());
    return std::nullopt;
}

std::optional<QString> settingsFileProblem(const QString& file)
{
    const QFileInfo info(file);
    QString why;
    if (!info.exists())
        why = QStringLiteral("no such file");
    else if (info.isDir())
        why = QStringLiteral("it is a folder");
    else if (QFile f(file); !f.open(QIODevice::ReadOnly))
        why = f.errorString();
    if (why.isEmpty())
        return std::nullopt;
    return QStringLiteral("cannot read the settings file %1: %2").arg(file, why);
}
