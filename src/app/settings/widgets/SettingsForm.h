#pragma once
// The settings window ("Settings"): the paged editor of every chip setting
// and of the program's own settings. A top-level window with its own taskbar
// entry, created once by the main window and shown and hidden, never
// re-created. It holds no settings itself: the session's models do, and
// every read and write goes through the session's operations.
//
// Left: the navigation column (TNavigationColumn). Right: the page title, the
// page shown (ActivePage 0..16), and the bottom bar with the status line
// (ErrorLabel, ChangeLabel), Undo and Apply on their coloured panels and Close.
// See README.md in the settings folder for adding a page.

#include <QWidget>
#include <array>

class QFrame;
class QLabel;
class QPushButton;
class QStackedWidget;
class TNavigationColumn;
class TSession;
class TSettingsPage;

class TSettingsForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int ActivePage READ ActivePage WRITE setActivePage)
    Q_PROPERTY(bool SettingsChanged READ SettingsChanged)
public:
    explicit TSettingsForm(TSession& session, QWidget* parent = nullptr);
    ~TSettingsForm() override;

    TSession& session() const { return FSession; }

    // The page shown, 0..16.
    int ActivePage() const { return FActivePage; }
    // NavButtonClick: shows page and its title; nothing when it shows already.
    void setActivePage(int page);
    // True while any group differs from its previous block.
    bool SettingsChanged() const;

    // Puts page into its slot (replacing the placeholder) and takes it over.
    void setPage(int number, TSettingsPage* page);
    TSettingsPage* page(int number) const;
    TNavigationColumn* navigation() const { return FNav; }

    // The status line: an error (hides ChangeLabel) or a notice (hides ErrorLabel).
    void showErrorText(const QString& text);
    void showNoticeText(const QString& text);

    // The main window's "Settings" commands: show the window, restoring it if
    // minimised, and bring it to the front; showPage also opens a page.
    void showWindow();
    void showPage(int page);

    // The buttons' actions.
    bool ApplyButtonClick();
    void CancelButtonClick();
    bool UpdateAllSettingsClick();
    void IgnoreButtonClick();

    QLabel* HeaderLabel;
    QLabel* ErrorLabel;
    QLabel* ChangeLabel;
    QFrame* UndoPanel;
    QFrame* ApplyPanel;
    QPushButton* CancelButton; // "Undo"
    QPushButton* ApplyButton;
    QPushButton* CloseButton;

signals:
    void activePageChanged(int page);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildBottomBar(class QVBoxLayout* right);
    // The session's settings or window state changed.
    void showState();
    void engineeringChanged(bool on);
    void firstActivation();
    void writePlacement();
    void showPanelColours(bool changed);

    TSession& FSession;
    TNavigationColumn* FNav;
    QStackedWidget* FStack;
    std::array<TSettingsPage*, 17> FPages{};
    int FActivePage = 0;
    bool FDoActivate = true;   // the next show runs the re-activation steps
    bool FSetupFormIni = true; // the first show reads the placement
    bool FFormActivated = false;
    bool FColoursChanged = false;
};
