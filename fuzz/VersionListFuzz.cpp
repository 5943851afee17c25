// The update server's version list: any body. A list that cannot be read
// gives the program's own record alone; a list without the program offers
// nothing; otherwise the program's own record comes first and every record
// has a plain product key that appears once (in any case).
#include "VersionList.h"

#include <QSet>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TVersionList list =
        parseVersionList(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!list.Success && list.Records.size() != 1)
        std::abort();
    if (list.Records.empty())
        return 0;
    if (list.Records.front().RegName.compare(QLatin1String(kOwnRegName), Qt::CaseInsensitive) != 0)
        std::abort();
    QSet<QString> seen;
    for (const TUpdateRecord& r : list.Records) {
        if (!isPlainRegName(r.RegName) || seen.contains(r.RegName.toLower()))
            std::abort();
        seen.insert(r.RegName.toLower());
    }
    return 0;
}
