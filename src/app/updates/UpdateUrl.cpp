#include "UpdateUrl.h"

#include "VersionList.h"

#include <QHostAddress>

QUrl defaultVersionListUrl()
{
    return QUrl(QString::fromLatin1(kDefaultUpdateServer) + QString::fromLatin1(kVersionListPath));
}

bool isAllowedUpdateUrl(const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https"))
        return true;
    if (scheme != QLatin1String("http"))
        return false;
    const QString host = url.host().toLower();
    if (host == QLatin1String("localhost"))
        return true;
    const QHostAddress address(host);
    return address == QHostAddress(QHostAddress::LocalHost) ||
           address == QHostAddress(QHostAddress::LocalHostIPv6);
}
