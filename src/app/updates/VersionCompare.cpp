#include "VersionCompare.h"

#include <QStringList>

std::optional<TVersionParts> parseVersionText(const QString& text)
{
    if (text.size() < 2)
        return std::nullopt;
    // The leading character is dropped whatever it is.
    const QStringList parts = text.mid(1).split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    TVersionParts out{};
    for (std::size_t i = 0; i < out.size(); ++i) {
        const QString& p = parts[static_cast<qsizetype>(i)];
        if (p.isEmpty())
            return std::nullopt;
        for (const QChar c : p) {
            if (c.unicode() < '0' || c.unicode() > '9')
                return std::nullopt;
        }
        bool ok = false;
        out[i] = p.toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return out;
}

bool isNewerVersion(const TVersionParts& x, const TVersionParts& y)
{
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (x[i] != y[i])
            return x[i] > y[i];
    }
    return false;
}

namespace {

// Parses a present text; false when it is present but not a version text.
bool parsePresent(const QString& text, std::optional<TVersionParts>& out)
{
    if (text.isEmpty())
        return true;
    out = parseVersionText(text);
    return out.has_value();
}

} // namespace

void CompareVersions(std::vector<TUpdateRecord>& records)
{
    for (TUpdateRecord& r : records) {
        if (r.NotAvailable)
            continue;
        std::optional<TVersionParts> c, w, l;
        if (!parsePresent(r.CurrentVersion, c) || !parsePresent(r.WebVersion, w) ||
            !parsePresent(r.LocalVersion, l))
            return;
        if (!c) {
            r.NotAvailable = true;
            continue;
        }
        if (w && l) {
            if (!isNewerVersion(*w, *c)) {
                r.NotAvailable = true;
            } else {
                r.UpdateRequired = true;
                r.InstallOnly = r.LocalVersion == r.WebVersion || isNewerVersion(*l, *w);
            }
        } else if (w) {
            r.UpdateRequired = isNewerVersion(*w, *c);
            r.NotAvailable = !r.UpdateRequired;
        } else if (l) {
            r.UpdateRequired = isNewerVersion(*l, *c);
            r.InstallOnly = r.UpdateRequired;
            r.NotAvailable = !r.UpdateRequired;
        } else {
            r.NotAvailable = true;
            r.UpdateRequired = false;
            r.InstallOnly = false;
        }
    }
}
