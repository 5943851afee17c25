#include "FirmwareVerdict.h"

namespace {

constexpr TKnownModel kModels[] = {
    {0x108, "HB110", 0x0106140B},
    {0x107, "HB110A", 0x0100020C},
    {0x103, "RD300", 0x0127040B},
};

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kLightRed = 0xFFF0F0;

std::uint32_t versionPart(std::uint32_t full) { return full >> 16; }
std::uint32_t buildPart(std::uint32_t full) { return (full >> 8) & 0xFF; }
std::uint32_t releasePart(std::uint32_t full) { return full & 0xFF; }

} // namespace

const TKnownModel* knownModel(std::uint16_t productId)
{
    for (const TKnownModel& m : kModels) {
        if (m.productId == productId)
            return &m;
    }
    return nullptr;
}

QString firmStatusText(TFirmStatus status)
{
    switch (status) {
    case TFirmStatus::UpToDate: return QStringLiteral("Firmware is up to date");
    case TFirmStatus::UpdateRecommended: return QStringLiteral("Firmware update is recommended");
    case TFirmStatus::Outdated: return QStringLiteral("Firmware is outdated!");
    case TFirmStatus::Unsupported: return QStringLiteral("Unsupported device");
    case TFirmStatus::Error: break;
    }
    return QStringLiteral("ERROR");
}

TStatusLook firmStatusLook(TFirmStatus status)
{
    switch (status) {
    case TFirmStatus::UpToDate: return {0x008000, 0xF0FFF0};
    case TFirmStatus::UpdateRecommended: return {0xFF8000, 0xFFE9D2};
    default: return {kRed, kLightRed};
    }
}

QString versionText(std::uint32_t version)
{
    QString text = QString::number(version, 16).toUpper().rightJustified(4, QLatin1Char('0'));
    text.insert(2, QLatin1Char('.'));
    return text;
}

QString releaseText(std::uint8_t release)
{
    switch (release) {
    case 10: return QStringLiteral("Alpha");
    case 11: return QStringLiteral("Beta");
    case 12: return QStringLiteral("Customer");
    default: return QStringLiteral("Custom");
    }
}

QString fullVersionText(std::uint32_t full)
{
    return QStringLiteral("V%1 Build %2 Release %3")
        .arg(versionText(versionPart(full)))
        .arg(buildPart(full))
        .arg(QString::number(releasePart(full), 16).toUpper().rightJustified(2, QLatin1Char('0')));
}

TFirmwareVerdict judgeFirmware(const TToolFirmware& tool, const TMinVer& minimums,
                               bool updaterInstalled)
{
    TFirmwareVerdict v;
    if (!updaterInstalled) {
        v.status = TFirmStatus::Error;
        v.upToDate = false;
        return v;
    }
    const TKnownModel* model = knownModel(tool.productId);
    v.known = model != nullptr;

    // m: the full-version minimum of the model; bare: its bare version.
    std::int32_t m = 0;
    std::int32_t bare = 0;
    if (model) {
        switch (model->productId) {
        case 0x108: m = minimums.HB110N; bare = minimums.HB110; break;
        case 0x107: m = minimums.HB110A; bare = minimums.HB110A; break;
        default: m = minimums.RD300N; bare = minimums.RD300; break;
        }
        const auto local = static_cast<std::int64_t>(model->localFirmware);
        if (m <= 0) {
            v.StabFirmLabel = versionText(static_cast<std::uint32_t>(bare));
        } else {
            v.StabFirmLabel = fullVersionText(static_cast<std::uint32_t>(m));
            v.FLocalPref = m <= local;
            v.FSameVersion = m == local;
        }
        v.PrefFirmLabel = v.FLocalPref ? fullVersionText(model->localFirmware) : v.StabFirmLabel;
    }

    // r: the version the tool needs; t: the release it is judged against.
    std::uint32_t r = 0;
    std::uint32_t t = 0;
    if (model && model->productId != 0x107) {
        t = static_cast<std::uint32_t>(m > 0 ? m : bare);
        r = m > 0 ? versionPart(t) : t;
    } else if (model) {
        t = static_cast<std::uint32_t>(minimums.HB110A);
        r = minimums.HB110A > 0 ? versionPart(t) : t;
    }

    // An outdated tool of a known model is the one that most needs Update.
    v.updateEnabled = v.known;
    if (tool.version < r) {
        v.status = TFirmStatus::Outdated;
        v.upToDate = false;
        return v;
    }
    if (!v.known) {
        v.status = TFirmStatus::Unsupported;
        v.upToDate = false;
        return v;
    }
    if (v.FLocalPref)
        t = model->localFirmware;
    if (tool.version != versionPart(t))
        v.upToDate = tool.version > versionPart(t);
    else if (tool.build != buildPart(t))
        v.upToDate = tool.build > buildPart(t);
    else
        v.upToDate = tool.release >= releasePart(t);
    v.status = v.upToDate ? TFirmStatus::UpToDate : TFirmStatus::UpdateRecommended;
    return v;
}
