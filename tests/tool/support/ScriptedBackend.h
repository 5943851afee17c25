#pragma once
// A scripted in-memory HID backend for unit tests: devices plugged and
// unplugged by the test, one input queue per open handle (every handle gets
// its own copy of every input report), replies queued by the test or made by
// a callback on each write, and a record of every report written.
// Thread-safe: background readers may read while the test pushes input.

#include "HidAccess.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace scripted {

using Report = std::vector<std::uint8_t>;

// A reply report (report-ID byte first): byte 1 status nibble and tool ID,
// byte 2 message id, byte 3 `third`, data from byte 4; `length` bytes in all.
Report reply(std::uint8_t status, std::uint8_t toolId, std::uint8_t messageId,
             std::initializer_list<std::uint8_t> data = {}, std::uint8_t third = 0,
             std::size_t length = 65);
// A streaming report: status 0xF, tool ID, counter, byte 3 (report number or
// bytes to come), then the payload.
Report frame(std::uint8_t toolId, std::uint8_t counter, std::uint8_t third,
             const std::vector<std::uint8_t>& payload, std::size_t length = 65);

class ScriptedDevice final : public hid::Device {
public:
    using WriteHook = std::function<void(ScriptedDevice& device, const Report& written)>;

    ScriptedDevice(hid::Attributes attributes, hid::Capabilities capabilities, std::string path);
    ~ScriptedDevice() override;

    bool attributes(hid::Attributes& out) override;
    bool capabilities(hid::Capabilities& out) override;
    std::unique_ptr<hid::Handle> open() override;
    std::string path() const override { return path_; }

    // A copy of report to every open handle.
    void pushInput(const Report& report);
    // Pushed as input right after the next write (in queue order).
    void queueReply(const Report& report);
    // Called after every write (after a queued reply was pushed).
    void setOnWrite(WriteHook hook);

    std::vector<Report> written() const;
    void clearWritten();
    int openHandles() const;
    // Input reports waiting on the open handles, summed.
    std::size_t queuedInput() const;

    void setFailOpen(bool fail);
    void setFailFlush(bool fail);
    void setFailRead(bool fail);
    void setFailAttributes(bool fail);
    void setFailCapabilities(bool fail);

    // The handles open now die (their flush, read and write fail) while the
    // device stays listed and new handles work: the tool was unplugged and
    // plugged back under the same node before anyone rescanned.
    void breakOpenHandles();

    // Called by the backend.
    void markUnplugged();

    struct Queue;
    class Handle;

private:
    friend class Handle;
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    hid::Attributes attributes_;
    hid::Capabilities capabilities_;
    std::string path_;
    std::vector<std::weak_ptr<Queue>> queues_;
    std::deque<Report> replies_;
    std::vector<Report> written_;
    WriteHook onWrite_;
    bool plugged_ = true;
    bool failOpen_ = false;
    bool failFlush_ = false;
    bool failRead_ = false;
    bool failAttributes_ = false;
    bool failCapabilities_ = false;
};

class ScriptedBackend final : public hid::Backend {
public:
    std::vector<std::shared_ptr<hid::Device>> enumerate() override;
    void setChangeNotifier(std::function<void()> notify) override;

    // Plugs a device (65-byte reports unless told) and notifies.
    std::shared_ptr<ScriptedDevice> plug(std::uint16_t vendorId, std::uint16_t productId,
                                         std::string product = {}, std::string serial = {},
                                         hid::Capabilities capabilities = {65, 65});
    // Plugs a device at a position of the enumeration order.
    std::shared_ptr<ScriptedDevice> plugAt(std::size_t position, std::uint16_t vendorId,
                                           std::uint16_t productId, std::string product = {},
                                           std::string serial = {});
    void unplug(const std::shared_ptr<ScriptedDevice>& device);
    // A change notification with nothing changed.
    void notify();
    bool hasNotifier() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<ScriptedDevice>> devices_;
    std::function<void()> notify_;
    int nextPath_ = 0;
};

}  // namespace scripted
