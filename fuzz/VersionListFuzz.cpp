// The update server's version list: any body. The program's own record comes
// first, a list that cannot be read gives that record alone, and every other
// record has a plain product key that appears once.
#include "VersionList.h"

#include <QSet>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TVersionList list =
        parseVersionList(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (list.Records.empty() || list.Records.front().RegName != QLatin1String(kOwnRegName))
        std::abort();
    if (!list.Success && list.Records.size() != 1)
        std::abort();
    QSet<QString> seen;
    for (const TUpdateRecord& r : list.Records) {
        if (!isPlainRegName(r.RegName) || seen.contains(r.RegName))
            std::abort();
        seen.insert(r.RegName);
    }
    return 0;
}
