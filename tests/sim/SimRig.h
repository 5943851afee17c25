#pragma once
// The tool components of the program wired to a deterministic simulation:
// device list with manual readers, tool command component, chip device
// component in the main window's settings, and a step-driven dispatcher.

#include "KelvanDevList.h"
#include "KelvanHidTool.h"
#include "MFS240Device.h"
#include "SimBackend.h"
#include "TestDispatcher.h"

#include <cstdint>
#include <vector>

namespace simtest {

struct Frame {
    std::uint8_t toolId = 0;
    std::vector<std::uint8_t> data;  // as OnStreaming gives it: payload byte j at 3 + j
    std::uint8_t payload(int j) const { return data.at(static_cast<std::size_t>(3 + j)); }
};

struct SimRig {
    sim::SimBackend backend{{.mode = sim::Mode::Deterministic, .seed = 21}};
    int key = backend.plug();
    sim::ToolControl ctl = backend.tool(key);
    TestDispatcher dispatcher;
    TKelvanDevList list{backend, dispatcher, HidReaderMode::Manual};
    TKelvanHidTool tool{backend.clock()};
    TMFS240Device chip;

    std::vector<Frame> frames;
    int missed = 0;
    std::vector<std::uint16_t> streamErrors;
    std::vector<bool> deviceChanges;  // Arrived of each OnDeviceChange

    SimRig()
    {
        tool.SetKelvanDevList(&list);
        list.OnDeviceChange = [this](TKelvanDevList*, bool arrived) {
            deviceChanges.push_back(arrived);
        };
        list.Activate();
        dispatcher.runAll();
        chip.SetHIDTool(&tool);
        chip.SetDUTVoltage(v3_3V);
        chip.SetCommsSpeed(csMedium);
        chip.SetLSVoltage(vfVDDHI);
        chip.SetCommsType(c240_I2C);
        chip.SetI2CType(RDY_ActiveLow);
        chip.SetI2CPullUpResistors(prNotConnected);
        chip.SetI2CReadyPin(rpPin10);
        chip.SetI2CStopCommand(scUseStop);
        chip.SetI2CPolling(ipNoPolling);
        chip.SetI2CAddress("44");
        chip.OnStreaming = [this](std::uint16_t size, std::uint8_t id, const std::uint8_t* data) {
            frames.push_back({id, std::vector<std::uint8_t>(data, data + size)});
        };
        chip.OnStreamingDataMissed = [this](std::uint8_t) { ++missed; };
        chip.OnStreamingError = [this](std::uint16_t code) { streamErrors.push_back(code); };
    }

    // Runs the simulation for ms and hands every report to the components.
    void run(std::int64_t ms)
    {
        backend.advance(ms);
        list.PollReaders();
        dispatcher.runAll();
    }

    std::vector<std::uint8_t> read(std::uint8_t reg, std::uint8_t count,
                                   TExchangeResult* result = nullptr)
    {
        TKvnByteArray out{};
        const TExchangeResult res = tool.I2CRead(reg, count, out);
        if (result)
            *result = res;
        if (res != 0)
            return {};
        return {out.begin(), out.begin() + count};
    }
    std::uint8_t read1(std::uint8_t reg) { return read(reg, 1).at(0); }

    TExchangeResult write(const std::vector<std::uint8_t>& bytes)
    {
        TKvnByteArray data{};
        std::copy(bytes.begin(), bytes.end(), data.begin());
        return tool.CommsWrite(static_cast<std::uint8_t>(bytes.size()), data);
    }
    TExchangeResult setBits(std::uint8_t reg, std::uint8_t bits)
    {
        TExchangeResult res = 0;
        const auto v = read(reg, 1, &res);
        if (res)
            return res;
        return write({reg, static_cast<std::uint8_t>(v[0] | bits)});
    }

    // Set-up, power, firmware version (for the tool ID), then the ATI is let run.
    TExchangeResult start()
    {
        if (const auto res = chip.SetupCT())
            return res;
        if (const auto res = chip.PowerOn())
            return res;
        std::uint32_t version = 0;
        if (const auto res = tool.GetCTFWVersion(version))
            return res;
        run(200);
        return 0;
    }

    // The stream table of the main window: system flags, counts, averages and
    // the quick-release value (32 bytes), plus extra single registers.
    static TKvnByteArray table(std::uint16_t& length, const std::vector<std::uint8_t>& extra = {})
    {
        TKvnByteArray t{};
        t[0] = 0x10;
        t[12] = 0x20;
        t[24] = 0x30;
        t[30] = 0xF2;
        length = 32;
        for (std::uint8_t reg : extra)
            t[length++] = reg;
        return t;
    }

    TExchangeResult startStreaming(const std::vector<std::uint8_t>& extra = {})
    {
        std::uint16_t length = 0;
        const TKvnByteArray t = table(length, extra);
        if (const auto res = tool.SetLongStreamingLength(length))
            return res;
        return tool.StartLongStreaming(t);
    }
};

}  // namespace simtest
