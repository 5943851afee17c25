#pragma once
// A session on a deterministic simulated tool: the readers are polled, the
// prescribed waits advance the simulation, and every question is answered
// from a script.

#include "Session.h"
#include "SimBackend.h"
#include "TestDispatcher.h"

#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <vector>

class ScriptedPrompts final : public SessionPrompts {
public:
    struct TShown {
        QString text;
        TDialogIcon icon;
    };
    std::vector<TShown> shown;
    std::deque<TDialogResult> answers;  // used in order; Ok / Yes when empty
    TStartupChoice startup{TStartupChoice::TMode::Default, -1};
    std::optional<QString> saveAs;
    int startupAsked = 0;

    TDialogResult message(const QString& text, TDialogIcon icon, TDialogButtons buttons) override
    {
        shown.push_back({text, icon});
        if (!answers.empty()) {
            const TDialogResult r = answers.front();
            answers.pop_front();
            return r;
        }
        return buttons == TDialogButtons::YesNo ? TDialogResult::Yes : TDialogResult::Ok;
    }
    std::optional<QString> saveFileName(const TFileDialogRequest&) override { return saveAs; }
    TStartupChoice startupMode(const QStringList&) override
    {
        ++startupAsked;
        return startup;
    }
};

class SessionRig {
public:
    explicit SessionRig(const sim::ToolConfig& tool = {}, bool plugTool = true,
                        std::filesystem::path appPath = MFS_SHIPPED_DIR);
    ~SessionRig();

    // Runs posted work (device-change passes) and delivers queued frames.
    void pump();
    // Lets the simulated chip run for ms milliseconds, handling frames as they come.
    void run(int ms);
    // Frames handled so far.
    int frames() const { return frameCount; }
    QStringList messageTexts() const;
    bool hasMessage(const QString& text) const;
    // Presses Start (default set-up) and runs until frames flow.
    void startStreaming();
    // A stand-in firmware-update program ("Kelvan Flashkit", a script that
    // does nothing) with this minver.ini, made the installed one for this
    // process (XDG_CONFIG_HOME). Every rig installs one with an empty
    // minver.ini, so that the tool's firmware counts as up to date.
    void installUpdater(const QByteArray& minver);
    QString updaterDir() const { return dir.path() + "/Kelvan Flashkit"; }

    QTemporaryDir dir;
    sim::SimBackend backend{{sim::Mode::Deterministic, 7}};
    TestDispatcher dispatcher;
    ScriptedPrompts prompts;
    std::unique_ptr<TSession> session;
    int toolKey = -1;
    int frameCount = 0;
};
