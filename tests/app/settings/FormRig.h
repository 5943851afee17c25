#pragma once
// A settings window over a session that streams from the deterministic
// simulated chip, with the chip's settings read and taken as unchanged.

#include "SessionRig.h"
#include "SettingsForm.h"

#include <QSpinBox>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

struct FormRig {
    explicit FormRig(bool streaming = true) : form(*rig.session)
    {
        if (streaming) {
            rig.startStreaming();
            EXPECT_TRUE(rig.session->ReadFromDevice(false));
            rig.session->ResetDefault();
            rig.session->CheckChanges();
        }
    }
    template <class W> W* find(const char* name) const
    {
        W* w = form.findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // The user types value into a spin field.
    void setSpin(const char* name, int value) { find<QSpinBox>(name)->setValue(value); }
    TSettingsModel& model() { return rig.session->Settings(); }
    std::uint8_t chip(std::uint8_t reg) { return rig.backend.tool(rig.toolKey).chipRegister(reg); }

    // The register writes (tool command 0x0B) sent while f runs, address first.
    std::vector<std::vector<int>> writesDuring(const std::function<void()>& f)
    {
        std::vector<std::vector<int>> writes;
        auto c =
            QObject::connect(rig.session.get(), &TSession::commandSent, [&](const QString& line) {
                const QStringList b = line.split(' ', Qt::SkipEmptyParts);
                if (b[2] != "0B")
                    return;
                std::vector<int> w;
                for (int i = 0; i < b[3].toInt(nullptr, 16); ++i)
                    w.push_back(b[4 + i].toInt(nullptr, 16));
                writes.push_back(w);
            });
        f();
        QObject::disconnect(c);
        return writes;
    }
    // The write sent after the next write to afterWriteTo gets an error reply.
    void failWriteAfter(std::uint8_t afterWriteTo)
    {
        auto tool = rig.backend.tool(rig.toolKey);
        QObject::disconnect(failArm);
        failArm =
            QObject::connect(rig.session.get(), &TSession::commandSent,
                             [this, tool, afterWriteTo](const QString& line) mutable {
                                 const QStringList b = line.split(' ', Qt::SkipEmptyParts);
                                 if (b[2] == "0B" && b[4].toInt(nullptr, 16) == afterWriteTo) {
                                     tool.failNextCommand(3);
                                     QObject::disconnect(failArm);
                                 }
                             });
    }

    SessionRig rig;
    TSettingsForm form;
    QMetaObject::Connection failArm;
};
