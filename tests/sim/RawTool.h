#pragma once
// Test helper: talks to a simulated tool with raw reports through one
// hid::Handle, the way the tool components do, so tests can check the bytes.

#include "HidAccess.h"
#include "SimTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace simtest {

class RawTool {
public:
    explicit RawTool(const std::shared_ptr<hid::Device>& device) : handle_(device->open()) {}

    bool valid() const { return handle_ != nullptr; }
    hid::Handle& handle() { return *handle_; }

    // Writes one command (byte 3 = n, parameters from byte 4) and returns the
    // reply with the matching message id; an all-zero report when none came.
    sim::Report send(std::uint8_t code, std::vector<std::uint8_t> params, int n = -1)
    {
        messageId_ = static_cast<std::uint8_t>(messageId_ + 1 == 255 ? 1 : messageId_ + 1);
        sim::Report command{};
        command[1] = messageId_;
        command[2] = code;
        command[3] = static_cast<std::uint8_t>(n < 0 ? params.size() : n);
        for (std::size_t i = 0; i < params.size(); ++i)
            command[4 + i] = params[i];
        lastCommand_ = command;
        handle_->flush();
        if (!handle_->write(command.data(), command.size()))
            return {};
        for (int tries = 0; tries < 100; ++tries) {
            sim::Report reply{};
            std::size_t length = 0;
            if (handle_->read(reply.data(), reply.size(), length, 300) != hid::ReadStatus::Ok)
                return {};
            if ((reply[1] & 0x0F) != 0x0F && reply[2] == messageId_)
                return reply;
        }
        return {};
    }

    // The exchange result of a reply: 0, the error code, or 3 for no reply.
    static std::uint16_t result(const sim::Report& reply)
    {
        if (reply[2] == 0)
            return 3;
        if ((reply[1] & 0x0F) == 0x0E)
            return static_cast<std::uint16_t>((reply[4] << 8) | reply[5]);
        return 0;
    }

    std::uint16_t run(std::uint8_t code, std::vector<std::uint8_t> params)
    {
        return result(send(code, std::move(params)));
    }

    std::vector<std::uint8_t> read(std::uint8_t reg, std::uint8_t count, std::uint16_t* res = nullptr)
    {
        const sim::Report reply = send(0x12, {reg, count}, 1);
        if (res)
            *res = result(reply);
        if (result(reply) != 0)
            return {};
        return {reply.begin() + 4, reply.begin() + 4 + count};
    }
    std::uint8_t read1(std::uint8_t reg) { return read(reg, 1).at(0); }
    int read16(std::uint8_t reg)
    {
        const auto b = read(reg, 2);
        return b.at(0) | (b.at(1) << 8);
    }
    std::uint16_t write(std::vector<std::uint8_t> bytes) { return run(0x0B, std::move(bytes)); }
    // Read, change named bits, write back.
    void modify(std::uint8_t reg, std::uint8_t set, std::uint8_t clear)
    {
        const std::uint8_t v = read1(reg);
        write({reg, static_cast<std::uint8_t>((v | set) & ~clear)});
    }

    // The chip set-up sequence of the main window (I2C, RDY active low, no
    // pull-ups, chip at address) and power on. Returns the first failure.
    std::uint16_t setUpAndPowerOn(std::uint8_t address = 0x44)
    {
        for (auto [code, params] : std::vector<std::pair<std::uint8_t, std::vector<std::uint8_t>>>{
                 {0x01, {0, 3}},
                 {0x07, {1}},
                 {0x06, {2}},
                 {0x05, {4, 2}},
                 {0x0F, {3, 1, address, 3, 2, 1}},
                 {0x11, {2, 1}},
                 {0x02, {}},
                 {0x11, {2, 2}}}) {
            if (const std::uint16_t res = run(code, params))
                return res;
        }
        return 0;
    }

    // Every report queued now, streaming frames included.
    std::vector<sim::Report> drain()
    {
        std::vector<sim::Report> reports;
        sim::Report r{};
        std::size_t length = 0;
        while (handle_->read(r.data(), r.size(), length, 0) == hid::ReadStatus::Ok)
            reports.push_back(r);
        return reports;
    }

    const sim::Report& lastCommand() const { return lastCommand_; }

private:
    std::unique_ptr<hid::Handle> handle_;
    std::uint8_t messageId_ = 1;
    sim::Report lastCommand_{};
};

}  // namespace simtest
