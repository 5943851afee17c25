#include "InstallerFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

namespace {

QFileInfoList entries(const QString& folder)
{
    return QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                          QDir::System,
                                      QDir::Name);
}

bool hasSuffix(const QFileInfo& f, const char* suffix)
{
    return f.fileName().endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
}

// Unix attribute text of one entry ("-rw-r--r--", "lrwxrwxrwx") after the
// Windows flags ("A", "D", ...), or empty.
QByteArray unixAttributes(const QByteArray& attributes)
{
    const QList<QByteArray> words = attributes.simplified().split(' ');
    for (const QByteArray& w : words) {
        if (w.size() == 10)
            return w;
    }
    return {};
}

} // namespace

bool clearDownloadFolder(const QString& folder)
{
    bool all = true;
    for (const QFileInfo& f : entries(folder)) {
        // QFile::remove unlinks a link without touching what it points to.
        if (f.isSymLink() || !f.isDir())
            all = QFile::remove(f.absoluteFilePath()) && all;
    }
    return all;
}

int removeLinks(const QString& folder)
{
    int removed = 0;
    for (const QFileInfo& f : entries(folder)) {
        if (f.isSymLink() && QFile::remove(f.absoluteFilePath()))
            ++removed;
    }
    return removed;
}

std::optional<QString> checkArchiveListing(const QByteArray& listing, qint64 maxUnpacked)
{
    // Entries follow the "----------" line as blocks of "Name = value" lines.
    const qsizetype start = listing.indexOf("\n----------");
    if (start < 0)
        return QStringLiteral("the archive's listing cannot be read");
    qint64 total = 0;
    int count = 0;
    bool folder = false;
    auto checkPath = [](const QByteArray& path) -> std::optional<QString> {
        const QString name = QString::fromUtf8(path);
        if (name.isEmpty())
            return QStringLiteral("an entry has no name");
        if (name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')) ||
            (name.size() > 1 && name[1] == QLatin1Char(':')))
            return QStringLiteral("entry %1 has an absolute name").arg(name);
        const QStringList parts = QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'))
                                      .split(QLatin1Char('/'));
        if (parts.contains(QStringLiteral("..")))
            return QStringLiteral("entry %1 leaves the folder").arg(name);
        return std::nullopt;
    };
    const QList<QByteArray> lines = listing.mid(start + 11).split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype eq = line.indexOf(" =");
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq);
        const QByteArray value = line.mid(eq + 2).trimmed();
        if (key == "Path") {
            ++count;
            folder = false;
            if (auto why = checkPath(value))
                return why;
        } else if (key == "Folder") {
            folder = value == "+";
        } else if (key == "Size" && !folder && !value.isEmpty()) {
            bool ok = false;
            const qint64 size = value.toLongLong(&ok);
            if (!ok || size < 0)
                return QStringLiteral("the archive's listing cannot be read");
            total += size;
            if (total > maxUnpacked)
                return QStringLiteral("the archive unpacks to more than %1 bytes").arg(maxUnpacked);
        } else if (key == "Attributes") {
            const QByteArray unix = unixAttributes(value);
            if (!unix.isEmpty() && unix[0] == 'l')
                return QStringLiteral("the archive holds a link");
        }
    }
    if (count == 0)
        return QStringLiteral("the archive is empty");
    return std::nullopt;
}

QString findInstaller(const QString& folder)
{
    const QFileInfoList files = entries(folder);
    auto first = [&files](std::initializer_list<const char*> suffixes) -> QString {
        for (const QFileInfo& f : files) {
            if (f.isSymLink() || !f.isFile())
                continue;
            for (const char* s : suffixes) {
                if (hasSuffix(f, s))
                    return f.absoluteFilePath();
            }
        }
        return {};
    };
#ifdef Q_OS_WIN
    return first({".exe"});
#else
    if (QString run = first({".run", ".AppImage"}); !run.isEmpty())
        return run;
    return first({".deb"});
#endif
}

QString fileMD5(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (!hash.addData(&file))
        return {};
    return QString::fromLatin1(hash.result().toHex().toUpper());
}
