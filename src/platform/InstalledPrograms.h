#pragma once
// Where the maker's other programs are installed, and which version.
//
// On Windows the installers record each program under
// HKEY_LOCAL_MACHINE\Software\<product key> (values "Install_Dir" and
// "Version"). On Linux and macOS the same facts live in an INI file of
// installed Kelvan programs, one section per product key:
//
//   [Kelvan_Flashkit]
//   Install_Dir=/opt/kelvan/flashkit
//   Version=V1.2.0.7
//
// read from $XDG_CONFIG_HOME/Kelvan/installed.ini (default ~/.config), then
// from each folder of $XDG_CONFIG_DIRS (default /etc/xdg) + /Kelvan/installed.ini.
// The first file that has the product's section answers for it.

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

struct TInstalledProgram {
    QString installDir; // empty when the entry names none
    QString version;    // empty when the entry names none
};

class TInstalledPrograms {
public:
    virtual ~TInstalledPrograms() = default;
    // The entry of one product key ("Kelvan_Flashkit", "Kelvan_MFS380A", ...);
    // nothing when the program is not installed or its entry cannot be read.
    virtual std::optional<TInstalledProgram> find(const QString& productKey) const = 0;
};

// Reads the INI files given, in order; unreadable or missing files are skipped.
class TIniInstalledPrograms : public TInstalledPrograms {
public:
    explicit TIniInstalledPrograms(QStringList files);
    std::optional<TInstalledProgram> find(const QString& productKey) const override;
    const QStringList& files() const { return FFiles; }

    // The files named above, from the environment of this process.
    static QStringList defaultFiles();

private:
    QStringList FFiles;
};

// The lookup of this platform: the registry on Windows, the INI files elsewhere.
std::unique_ptr<TInstalledPrograms> makeInstalledPrograms();
