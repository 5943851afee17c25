#include "FirmwareUpdate.h"

#include "FirmwareVerdict.h"

#include <QDir>

QStringList stableUpdateArguments()
{
    return {QStringLiteral("Override")};
}

QStringList fileUpdateArguments(const QString& file)
{
    return {file, QStringLiteral("Y")};
}

bool dfuFileMatches(const QString& fileName, const QString& model)
{
    if (model.isEmpty())
        return false;
    // The longer model names that start with this one.
    QStringList longer;
    for (const std::uint16_t id : {0x103, 0x107, 0x108}) {
        const QString other = QString::fromLatin1(knownModel(id)->name);
        if (other.size() > model.size() && other.startsWith(model))
            longer << other;
    }
    for (qsizetype at = fileName.indexOf(model); at >= 0; at = fileName.indexOf(model, at + 1)) {
        const QStringView rest = QStringView(fileName).mid(at);
        bool partOfLonger = false;
        for (const QString& other : longer)
            partOfLonger = partOfLonger || rest.startsWith(other);
        if (!partOfLonger)
            return true;
    }
    return false;
}

std::optional<QString> findLocalFirmware(const QString& folder, std::uint16_t productId)
{
    const TKnownModel* model = knownModel(productId);
    if (!model)
        return std::nullopt;
    const QDir dir(folder);
    const QStringList files = dir.entryList({QStringLiteral("*.dfu")},
                                            QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& name : files) {
        if (dfuFileMatches(name, QString::fromLatin1(model->name)))
            return name;
    }
    return std::nullopt;
}
