#pragma once
// "Send Commands": every report written to the configuration tool while the
// window is open, one line each (its first 37 bytes in hexadecimal), the
// newest selected. "Save To File" writes the lines to a text file, "Clear"
// empties the list, "Close" closes the window. The window comes back where it
// was closed; its placement is kept in the preferences section "SendComForm".

#include <QDialog>

class QListWidget;
class QPushButton;
class TPreferences;

class TSendCommands : public QDialog {
    Q_OBJECT
public:
    explicit TSendCommands(TPreferences& preferences, QWidget* parent = nullptr);
    // Writes the placement when the window was ever shown.
    ~TSendCommands() override;

    // One report as the log shows it; the line is selected.
    void ShowSentCommand(const QString& line);
    // Writes every line to path, then adds "File saved successfully". On
    // failure nothing is added and error says why.
    bool saveToFile(const QString& path, QString* error = nullptr);

    QListWidget* ListBox1;
    QPushButton* Button1; // "Save To File"
    QPushButton* Button2; // "Clear"
    QPushButton* OKBtn;   // "Close"

signals:
    // The window was closed (not minimised): the log stops.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void saveClicked();

    TPreferences& FPrefs;
    bool FSetupFormIni = true; // placement not yet read
    bool FFormActivated = false;
};
