#include "VersionList.h"

#include <QSet>

namespace {

constexpr QByteArrayView kStart("VSTART");
constexpr QByteArrayView kEnd("VEND");
constexpr int kRecordFields = 7;

// A whole decimal integer: optional sign, digits only.
std::optional<int> decimal(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!(c.isDigit() && c.unicode() < 128) && !(i == 0 && (c == '-' || c == '+')))
            return std::nullopt;
    }
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// Item i, or empty past the end of the list.
QString item(const QStringList& items, qsizetype i)
{
    return i >= 0 && i < items.size() ? items[i] : QString();
}

TUpdateRecord recordAt(const QStringList& items, qsizetype start)
{
    TUpdateRecord r;
    r.RegName = item(items, start);
    r.AppName = item(items, start + 1);
    r.WebVersion = item(items, start + 2);
    r.WebLink = item(items, start + 3);
    r.Exstra1 = item(items, start + 4);
    r.Exstra2 = item(items, start + 5);
    r.Exstra3 = item(items, start + 6);
    return r;
}

TVersionList unreachable()
{
    TVersionList list;
    TUpdateRecord own;
    own.RegName = QString::fromLatin1(kOwnRegName);
    own.AppName = QString::fromLatin1(kOwnAppName);
    list.Records.push_back(own);
    return list;
}

} // namespace

std::optional<QStringList> splitVersionList(QByteArrayView body)
{
    const qsizetype start = body.indexOf(kStart);
    const qsizetype end = body.indexOf(kEnd);
    if (start < 0 || end < start + kStart.size())
        return std::nullopt;
    QByteArray text = body.sliced(start + kStart.size(), end - start - kStart.size()).toByteArray();
    text.replace('\n', QByteArray());
    // n separators give n + 1 items, empty ones included.
    return QString::fromUtf8(text).split(QLatin1Char('~'), Qt::KeepEmptyParts);
}

bool isPlainRegName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                           (u >= '0' && u <= '9') || u == '_' || u == '-' || u == '.';
        if (!plain)
            return false;
    }
    return true;
}

TVersionList ReadUpdateRecords(bool success, const QStringList& items)
{
    if (!success || items.size() < 2)
        return unreachable();
    const auto n = decimal(items[0]);
    const auto m = decimal(items[1]);
    if (!n || !m || *n < 1 || *m < kRecordFields)
        return unreachable();

    TVersionList list;
    list.Success = true;
    // The program's own key may sit anywhere; without it nothing is offered.
    qsizetype own = -1;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i].compare(QLatin1String(kOwnRegName), Qt::CaseInsensitive) == 0) {
            own = i;
            break;
        }
    }
    if (own < 0)
        return list;

    QSet<QString> keys;
    list.Records.push_back(recordAt(items, own));
    keys.insert(list.Records.front().RegName.toLower());
    const qsizetype blockSize = *m;
    const qsizetype count = *n;
    for (qsizetype k = 0; k < count && std::ssize(list.Records) < count; ++k) {
        const qsizetype pos = 2 + k * blockSize;
        if (pos >= items.size())
            break;
        if (pos >= own && pos <= own + blockSize - 1)
            continue; // the program's own block, taken first
        TUpdateRecord r = recordAt(items, pos);
        // The key names a folder whose files are deleted: only plain names,
        // and each product once.
        if (!isPlainRegName(r.RegName) || keys.contains(r.RegName.toLower()))
            continue;
        keys.insert(r.RegName.toLower());
        list.Records.push_back(std::move(r));
    }
    return list;
}

TVersionList parseVersionList(QByteArrayView body)
{
    const auto items = splitVersionList(body);
    return ReadUpdateRecords(items.has_value(), items.value_or(QStringList()));
}
