#pragma once
// The main window's ways into the settings window: the "Settings" button and
// menu-bar item show it; the headers of the "HALL Flags", "SAR Flags",
// "Hysteresis" and "Temperature" panels show it on their page.

class QAbstractButton;
class QAction;
class TSensorPanel;
class TSettingsForm;

struct TSettingsWindowEntries {
    QAbstractButton* settingsButton;
    QAction* settingsMenu;
    TSensorPanel* hall;
    TSensorPanel* sar;
    TSensorPanel* hysteresis;
    TSensorPanel* temperature;
};

void linkSettingsWindow(TSettingsForm& form, const TSettingsWindowEntries& entries);
