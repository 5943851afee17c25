#pragma once
// Starting the firmware-update program: the local .dfu file search and the
// two argument forms it accepts. The program is started without a shell, each
// argument a separate string:
//   "Override"          install the stable release the update program holds
//   FILE.dfu, "Y"       install this firmware file

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

// Starts program with arguments in workingDir; false with a reason in *error.
using TProgramStarter = std::function<bool(const QString& program, const QStringList& arguments,
                                           const QString& workingDir, QString* error)>;

QStringList stableUpdateArguments();
QStringList fileUpdateArguments(const QString& file);

// Whether a .dfu file name is meant for the tool model `model` ("HB110",
// "HB110A", "RD300"): the name contains the model text, and not only as the
// start of a longer model's text (an HB110A file is no HB110 file).
bool dfuFileMatches(const QString& fileName, const QString& model);

// The first .dfu file (in name order) in folder meant for the model of
// productId; nothing when there is none or the model is not known.
std::optional<QString> findLocalFirmware(const QString& folder, std::uint16_t productId);
