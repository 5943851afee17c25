#pragma once
// A device list, a tool component and scripted tools wired together for the
// tool tests: manual readers, a step-driven dispatcher, a manual clock, and
// a responder that answers every command like a well-behaved tool.

#include "KelvanDevList.h"
#include "KelvanHidTool.h"
#include "ManualClock.h"
#include "ScriptedBackend.h"
#include "TestDispatcher.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Answers each command with the written message id, byte 3 = command code,
// status and data per command code (status 0 and no data unless told).
struct Responder {
    struct Answer {
        std::uint8_t status = 0;
        std::vector<std::uint8_t> data;
    };
    std::uint8_t toolId = 3;
    bool silent = false;
    std::map<std::uint8_t, Answer> answers;

    void answer(std::uint8_t code, std::uint8_t status, std::vector<std::uint8_t> data = {})
    {
        answers[code] = {status, std::move(data)};
    }
    void fail(std::uint8_t code, std::uint16_t error)
    {
        answer(code, 0xE, {static_cast<std::uint8_t>(error >> 8), static_cast<std::uint8_t>(error)});
    }
    void operator()(scripted::ScriptedDevice& device, const scripted::Report& written) const
    {
        if (silent || written.size() < 3)
            return;
        const std::uint8_t code = written[2];
        Answer a;
        if (const auto it = answers.find(code); it != answers.end())
            a = it->second;
        scripted::Report r(65, 0);
        r[1] = static_cast<std::uint8_t>(toolId << 4 | (a.status & 0x0F));
        r[2] = written[1];
        r[3] = code;
        for (std::size_t i = 0; i < a.data.size() && 4 + i < r.size(); ++i)
            r[4 + i] = a.data[i];
        device.pushInput(r);
    }
};

struct ToolRig {
    scripted::ScriptedBackend backend;
    TestDispatcher dispatcher;
    ManualClock clock;
    TKelvanDevList list{backend, dispatcher, HidReaderMode::Manual};
    TKelvanHidTool tool{clock};
    std::shared_ptr<Responder> responder = std::make_shared<Responder>();
    std::shared_ptr<scripted::ScriptedDevice> device;

    explicit ToolRig(bool withTool = true)
    {
        tool.SetKelvanDevList(&list);
        list.Activate();
        if (withTool)
            device = plugTool("KVN tool", "SN1");
        dispatcher.runAll();
    }

    std::shared_ptr<scripted::ScriptedDevice> plugTool(std::string name, std::string serial,
                                                       std::uint16_t pid = 0x0104)
    {
        auto d = backend.plug(0x2E5B, pid, std::move(name), std::move(serial));
        auto r = responder;
        d->setOnWrite([r](scripted::ScriptedDevice& dev, const scripted::Report& w) { (*r)(dev, w); });
        return d;
    }

    // Written reports of the rig's tool from byte 2 on (code, count, parameters),
    // `bytes` bytes each.
    std::vector<std::vector<std::uint8_t>> commands(std::size_t bytes = 12) const
    {
        std::vector<std::vector<std::uint8_t>> out;
        for (const auto& w : device->written())
            out.emplace_back(w.begin() + 2, w.begin() + 2 + static_cast<std::ptrdiff_t>(bytes));
        return out;
    }
};
