// Handling of one streamed frame: drop, decode, follow the chip's system
// flags, log, then hand the frame to the display.
#include "Clock.h"
#include "FileMessages.h"
#include "FrameDecoder.h"
#include "Session.h"
#include "SessionTexts.h"

void TSession::HandleFrame(std::uint16_t Size, std::uint8_t /*HIDToolID*/,
                           const std::uint8_t* Data)
{
    // 1, 2, 3: frames while closing, right after a restart and of other tools.
    if (S.FClosing || Data == nullptr || Size == 0)
        return;
    if (S.FStreamingRestart) {
        if (S.FStreamingRestartCount > 0)
            --S.FStreamingRestartCount;
        else
            S.FStreamingRestart = false;
        return;
    }
    const std::span<const std::uint8_t> frame(Data, Size);
    if (frameToolId(frame) != S.FToolId)
        return;

    // 4. Decode; a frame too short for the stream table in force is dropped.
    if (!decodeFrame(frame, FSetup.streamLayout(), S.UI_SAR, FLive))
        return;

    // 6. System flags.
    trackAtiBusy(FLive);

    // 7. A reset after "Show Reset", from the sixth frame on.
    if (S.FAckReset) {
        if (S.FAckCount < 5) {
            ++S.FAckCount;
        } else if (FLive.FShowReset) {
            B.showResetEnabled = true;
            S.FAckReset = false;
            KvnAddItem(QString::fromLatin1(sessionmsg::kResetOccurred), TMessageType::Error);
            emitButtons();
            if (NotifyReset)
                FPrompts.message(QString::fromLatin1(sessionmsg::kResetOccurred),
                                 TDialogIcon::Warning, TDialogButtons::Ok);
            S.FReadDevice = true;
        }
    }

    // 8. Follow-up once the chip is out of ATI.
    if (!FLive.FATIBusy) {
        if (!FollowUpAti())
            return;  // the session ended while following up
    }

    // 9, 10.
    LogFrame();
    if (S.FDemo)
        UpdateDemo();

    // Event indicators (lit by frames, darkened by frames or the event timer).
    if (!S.FBlockDisplay) {
        FEvents.EventsTime = S.EventsTime;
        if (FEvents.frame(FLive, FClock->nowMs(), S.FEventMode) && !FEventTimer.isActive())
            FEventTimer.start();
        if (FEvents.takeChanged())
            emit eventIndicatorsChanged();
    }

    // 11, 12.
    emit frameHandled(S.FBlockDisplay);
}

bool TSession::FollowUpAti()
{
    // a. An ATI has just ended.
    if (FLive.FWasATIBusy) {
        if (W.afterAtiUpdateAll) {
            if (W.FSettingsATIMessage) {
                W.FSettingsATIMessage = false;
            } else {
                ReadFromDevice(false);
                if (S.FReadDevice) {
                    S.FReadDevice = false;
                    W.atiNoticeVisible = false;
                }
                ResetDefault();
                CheckChanges();
            }
        }
        if (!W.atiNoticeVisible) {
            if (W.FSettingsATIMessage) {
                W.FSettingsATIMessage = false;
            } else if (!W.afterAtiUpdateAll) {
                W.atiNoticeVisible = true;
                emit settingsChanged();
            }
        }
        FLive.FWasATIBusy = false;
    }

    // b. A settings file waits to be applied.
    if (S.FLoadSettings) {
        S.FReadDevice = false;
        S.FLoadSettings = false;
        S.FBlockDisplay = true;
        LoadSettings();
        setBarBackground(TBarBackground::None);
        S.FBlockDisplay = false;
    }

    // c. All settings to be read.
    if (S.FReadDevice) {
        S.FReadDevice = false;
        if (!ReadFromDevice(false)) {
            StopSession();
            FPrompts.message(QString::fromLatin1(sessionmsg::kErrorReadingAll),
                             TDialogIcon::Warning, TDialogButtons::Ok);
            setBarBackground(TBarBackground::None);
            return false;
        }
        KvnAddItem(QString::fromLatin1(sessionmsg::kSettingsReset), TMessageType::Info);
        ResetDefault();
        CheckChanges();
    }

    // d.
    if (!B.applySettingsEnabled && !S.FSettingsFile.empty()) {
        B.applySettingsEnabled = true;
        emitButtons();
    }
    return true;
}

void TSession::LogFrame()
{
    if (!S.FDoLog)
        return;
    const TDataLogWriter::TFrameResult result = FLog.frame(logSample(FLive));
    if (result == TDataLogWriter::TFrameResult::Failed) {
        LogWriteFailed();
        return;
    }
    // At a few hundred frames a second and less every line goes to the file
    // at once; faster, the lines of a millisecond go together, rather than
    // one write per line. The timer writes out the last lines of a burst.
    if (!FLog.hasUnflushed())
        return;
    if (FClock->nowMs() - FLogFlushedAtMs >= 1)
        FlushLog();
    else if (!FLogFlushTimer.isActive())
        FLogFlushTimer.start();
}

void TSession::FlushLog()
{
    FLogFlushedAtMs = FClock->nowMs();
    if (S.FDoLog && !FLog.flush())
        LogWriteFailed();
}

void TSession::LogWriteFailed()
{
    S.FDoLog = false;
    B.logCaption = QStringLiteral("Start Log");
    KvnAddItem(QString::fromLatin1(filemsg::kLogWriteError), TMessageType::Error);
    emit logStateChanged(false);
    emitButtons();
}

void TSession::UpdateDemo()
{
    S.FDemoEventCounter = S.FDemoEventCounter >= 1000 ? 0 : S.FDemoEventCounter + 1;
    emit demoUpdated(S.FDemoEventCounter);
}
