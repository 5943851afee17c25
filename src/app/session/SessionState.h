#pragma once
// The state a session keeps between operations: the main window's session
// fields, the state of the buttons and labels it drives, and the parts of the
// settings window that are not chip settings.

#include <QString>
#include <cstdint>
#include <string>

#include "LogFormat.h"
#include "ToolTypes.h"

enum class TMessageType { Info = 0, Error = 1 };

// What the bar graph shows behind its bars.
enum class TBarBackground { Watermark, Wait, None };

struct TSessionState {
    std::uint8_t FDeviceAddress = 0x44;
    bool FPowerOn = false;
    bool FIsStreaming = false;
    bool FIsPaused = false;
    bool FCTSetup = false;
    bool FStreamingRestart = false;
    int FStreamingRestartCount = 0;
    bool FLoadingSettings = false;
    bool FGuiUpdate = false;
    bool FBlockDisplay = false;
    bool FClosing = false;
    std::uint16_t ComRes = 0;
    bool FEventMode = false;
    TI2CType FEventModeRdy = RDY_ActiveLow;
    TI2CPolling FEventModePolling = ipNoPolling;
    std::uint32_t EventsTime = 200;
    std::uint8_t FChEnDis = 0x1F;
    bool FActiveChannels = true;
    bool FFirmwareCheck = true;
    bool FResetSizePos = false;
    bool FAckReset = false;
    bool FSoftReset = false;
    bool FReseed = false;
    bool FRedoATI = false;
    bool FHAllForceCal = false;
    int FAckCount = 0;
    bool FReadDevice = false;
    bool FLoadSettings = false;
    bool FFileLoaded = false;
    std::string FSettingsFile;
    bool FDoLog = false;
    bool FUpdating = false;
    std::string DeviceSerial;
    // The tool being updated has left the bus since the update started (into
    // its firmware loader); its return ends the update.
    bool FUpdatedToolGone = false;
    bool FDemo = false;
    bool FDemoStart = false;
    int FDemoEventCounter = 0;
    bool UI_SAR = false;
    bool FValidFirmware = false;
    bool FStartupOption = false;
    bool FDeltaOnly = false;  // baseline view
    // The tool ID frames must carry (the setup window's ID box).
    int FToolId = 0;
    // Firmware of the current tool, read when it was taken into use.
    std::uint32_t FToolFirmware = 0;
    std::uint8_t FToolBuild = 0;
    std::uint8_t FToolRelease = 0;
    // Product, software and hardware number read from the chip.
    std::uint8_t FProductNumber = 0, FSoftwareNumber = 0, FHardwareNumber = 0;
    // Streamed frames reported missing by the tool link.
    std::uint32_t FDataMissedCount = 0;
};

// Captions and enabled states the session drives.
struct TSessionButtons {
    QString startCaption = QStringLiteral("Start");
    bool startEnabled = false;
    QString pauseCaption = QStringLiteral("Pause");
    bool pauseEnabled = false;
    QString powerCaption = QStringLiteral("Power On");  // the settings window's power button
    bool exportHEnabled = false;                         // File, "Export H File"
    bool demoEnabled = true;                             // "2 Channel SAR UI Demo"
    bool showResetEnabled = true;                        // "Show Reset"
    bool setupButtonEnabled = false;                     // the tool panel's setup button
    // Settings window buttons.
    bool saveSettingsEnabled = false;
    bool applySettingsEnabled = false;                   // "Apply Settings"
    bool memoryAccessEnabled = false;                    // memory read and write
    bool loadCapacitanceEnabled = false;
    QString logCaption = QStringLiteral("Start Log");
};

// The tool label CtLabel and its panel.
struct TToolLabel {
    // Tool: green on grey. Recommended: orange on pale orange ("firmware update
    // recommended"). Required, Error: red on pink. Unsupported: red and struck
    // through on pink.
    enum class TStyle { NoDevice, NoDeviceError, Tool, Recommended, Required, Unsupported, Error };
    QString text;
    TStyle style = TStyle::NoDevice;
    QString hint;
};

// The settings window's own state that the session reads and drives.
struct TSettingsWindowState {
    bool engineering = false;          // the engineering page button is visible
    bool loadSettingsOnStartup = false; // hidden "Load settings on start up"
    // "Load default setup after start-up": ticked, so that the settings model
    // holds the chip's settings once it streams (group writes such as "Redo
    // ATI" then send what the chip holds, not the model's empty blocks).
    bool readOnStart = true;
    bool afterAtiUpdateAll = false;    // "After Auto ATI": "Update all settings" (else "Do nothing")
    bool atiNoticeVisible = false;     // ATIErrorPanel (ReadAllPanel while hidden)
    bool dataMissedVisible = false;    // "Some Data Missed"
    bool movementOverrideEnabled = false;
    bool FSettingsATIMessage = false;
    bool FChanged = false;             // SettingsChanged
    int recentSelection = -1;          // SettingsFileCombo
    int quickReleaseResetMs = 2000;    // quick-release reset time box
    QString currentAddressText;        // current-address label
    QString deviceVersionText;         // "Device Version : " label
    QString statusError;               // ErrorLabel ("" when hidden)
    QString statusNotice;              // ChangeLabel ("" when hidden)
    QString axisMessage;               // Label59
    bool FMovOverride = false;         // movement override at the last Apply
    TLogSelection logSelection;
};
