#pragma once
// The updater window "Kelvan Web Updates": one row per offered update, the two
// start-up options, "Download All" and "Hide in background". A top-level window
// of its own (own taskbar button), created once and hidden until needed.

#include "UpdaterClass.h"

#include <QWidget>
#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QVBoxLayout;
class TUpdateRowWidget;

class TWebUpdaterDialog : public QWidget {
    Q_OBJECT
public:
    explicit TWebUpdaterDialog(TUpdaterClass& updater, QWidget* parent = nullptr);

    // Shows the window, restoring it when minimised and raising it.
    void bringUp();
    // Visible and not minimised.
    bool showing() const { return isVisible() && !isMinimized(); }
    // "Download All": enabled when some row needs a download and none downloads.
    void refreshDownloadAll();

    // The row's main button (Download, Cancel or Install).
    void ItemButtonClick(int row);
    // The row's "..." menu, opened at the pointer.
    void ItemOptionsClick(int row);
    // "Description" and "Open File Location" of the row whose menu was opened last.
    void ChangeLog1Click();
    void Showinfolder1Click();

    const std::vector<TUpdateRowWidget*>& rows() const { return FRows; }
    QCheckBox* DontShowCheck = nullptr;
    QCheckBox* OnlyMainCheck = nullptr;
    QPushButton* DownloadAllButton = nullptr;
    QPushButton* CancelBtn = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* ChangeLog1 = nullptr;
    QAction* Showinfolder1 = nullptr;
    int ItemIndex = -1;

    // Questions and messages; dialogs unless replaced (tests answer them).
    // confirm: OK/Cancel (yesNo false) or Yes/No (yesNo true); true to go on.
    std::function<bool(const QString& text, bool yesNo)> confirm;
    std::function<void(TNoticeType type, const QString& text)> inform;
    // Starts a downloaded installer; false with a reason when it cannot.
    std::function<bool(const QString& file, QString* error)> startInstaller;
    // Shows a file in the desktop's file manager.
    std::function<void(const QString& file)> revealFile;

signals:
    // An installer was started (the main window adds "Running update...";
    // for the program itself it closes).
    void installerStarted(bool mainGui);
    // The title-bar close button was used (the window hides).
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rebuildRows();
    void showRow(int row);
    void install(int row);

    TUpdaterClass& FUpdater;
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* FRowsArea = nullptr;
    QVBoxLayout* FRowsLayout = nullptr;
    QLabel* FEmptyLabel = nullptr;
    std::vector<TUpdateRowWidget*> FRows;
};
