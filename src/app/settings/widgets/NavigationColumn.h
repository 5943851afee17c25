#pragma once
// The settings window's navigation column: one button per page in the
// window's order with the divider, and at its foot the ATI notice
// (ATIErrorPanel) or, while that is hidden, ReadAllPanel.

#include <QWidget>
#include <array>

class QFrame;
class QLabel;
class QPushButton;
class TKvnRadioGroup;

class TNavigationColumn : public QWidget {
    Q_OBJECT
public:
    explicit TNavigationColumn(QWidget* parent = nullptr);

    QPushButton* button(int page) const;
    // Marks the button of the page shown.
    void setCurrentPage(int page);
    // Shows or hides the engineering-only buttons ("Engineering", "Debug").
    void setEngineering(bool on);
    // The ATI notice, or ReadAllPanel in its place.
    void showAtiNotice(bool visible);
    bool atiNoticeVisible() const;

    QFrame* ATIErrorPanel;
    QFrame* ReadAllPanel;
    QPushButton* IgnoreButton;
    QPushButton* UpdateAllButton;     // on the ATI notice
    QPushButton* ReadAllUpdateButton; // on ReadAllPanel
    // "After Auto ATI": "Update all settings", "Do nothing"; never shown.
    TKvnRadioGroup* AfterATIRadio;

signals:
    // A navigation button was clicked; its page.
    void pageClicked(int page);
    void ignoreClicked();
    void updateAllClicked();

private:
    std::array<QPushButton*, 17> FButtons{};
};
