#pragma once
// The About window: the maker's logo, the program's name and version, the
// maker's web address and "Check For Updates".

#include <QDialog>
#include <QUrl>
#include <functional>

class QLabel;
class QPushButton;
class TKelvanLogo;

// The maker's web site.
inline constexpr const char* kMakerSite = "https://www.kelvan.com";

class TAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit TAboutDialog(QWidget* parent = nullptr);

    // "MFS380A GUI ", "Version " + version, and the maker's line.
    void setVersion(const QString& version);
    // Opens the web site in the browser (replaced by tests).
    std::function<bool(const QUrl&)> openSite;

    TKelvanLogo* Logo = nullptr;
    QLabel* InfoLabel = nullptr;
    QLabel* SiteLabel = nullptr;
    QPushButton* CheckUpdateButton = nullptr;

signals:
    void checkForUpdatesClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void visitSite();
};
