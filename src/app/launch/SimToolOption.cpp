#include "SimToolOption.h"

#include <QStringList>

namespace {

std::optional<unsigned> hexField(QString text, unsigned max)
{
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text = text.mid(2);
    if (text.isEmpty() || text.size() > 8)
        return std::nullopt;
    bool ok = false;
    const unsigned value = text.toUInt(&ok, 16);
    if (!ok || value > max)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<sim::ToolConfig> parseSimTool(const QString& text, QString& error)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() < 4 || parts.size() > 5) {
        error = QStringLiteral("--sim-tool needs %1, e.g. 0x108:0106:20:0B").arg(kSimToolSyntax);
        return std::nullopt;
    }
    const auto pid = hexField(parts[0], 0xFFFF);
    const auto version = hexField(parts[1], 0xFFFF);
    bool buildOk = false;
    const unsigned build = parts[2].toUInt(&buildOk, 10);
    const auto release = hexField(parts[3], 0xFF);
    if (!pid || *pid == 0) {
        error = QStringLiteral("--sim-tool: '%1' is not a product id (hexadecimal 1 to FFFF)")
                    .arg(parts[0]);
        return std::nullopt;
    }
    if (!version) {
        error = QStringLiteral("--sim-tool: '%1' is not a firmware version (hexadecimal 0 to FFFF)")
                    .arg(parts[1]);
        return std::nullopt;
    }
    if (!buildOk || build > 255) {
        error = QStringLiteral("--sim-tool: '%1' is not a build (decimal 0 to 255)").arg(parts[2]);
        return std::nullopt;
    }
    if (!release) {
        error = QStringLiteral("--sim-tool: '%1' is not a release (hexadecimal 0 to FF)")
                    .arg(parts[3]);
        return std::nullopt;
    }
    sim::ToolConfig tool;
    tool.productId = static_cast<std::uint16_t>(*pid);
    tool.productString = (QStringLiteral("Kelvan CT") +
                          QString::number(*pid, 16).toUpper().rightJustified(3, QLatin1Char('0')) +
                          QStringLiteral(" Configuration Tool"))
                             .toStdString();
    tool.firmware.version = *version;
    tool.firmware.build = static_cast<std::uint8_t>(build);
    tool.firmware.release = static_cast<std::uint8_t>(*release);
    if (parts.size() == 5) {
        if (parts[4].trimmed().isEmpty()) {
            error = QStringLiteral("--sim-tool: the serial number is empty");
            return std::nullopt;
        }
        tool.serialNumber = parts[4].toStdString();
    }
    return tool;
}
