#pragma once
// The generic HID layer between the tool components and a hid::Backend.
//
// - Device-change pass: compares the devices present with the known ones,
//   calls the arrival hook for each new one and, if any came or went, the
//   change handler. One pass is posted at creation and always calls the
//   change handler. Backend notifications (from any thread) post a pass
//   through the UiDispatcher.
// - Enumeration: walks the known devices in the backend's order.
// - Check-out / check-in: a checked-out device gets a background reader while
//   a data handler is installed; check-in stops the reader and closes the
//   command handle.
// - Data handler: each report without its report-ID byte, with its length,
//   on the user-interface thread, in arrival order. A threaded reader keeps
//   reading into its bounded hand-over queue while the handler runs; the
//   user-interface thread drains the queue in batches (see HidReader).
// - Failures: a reader whose read failed, or a command handle that failed to
//   open, flush or read, posts a pass (coalesced like backend notifications).
//   Every pass starts a new reader for each checked-out device still present
//   whose reader failed or could not be started.
//
// All members are called on the user-interface thread. The dispatcher must run
// posted work later, never inside post(): the first pass is posted by the
// constructor and finds the handlers installed after it.

#include "HidAccess.h"
#include "HidDevice.h"
#include "HidReader.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class UiDispatcher;

class HidLayer {
public:
    using ChangeHandler = std::function<void()>;
    using ArrivalHook = std::function<void(HidDevice& device)>;
    using DataHandler =
        std::function<void(HidDevice& device, const std::uint8_t* data, std::uint16_t size)>;
    // Return false to end the enumeration.
    using EnumerationCallback = std::function<bool(const std::shared_ptr<HidDevice>& device)>;

    HidLayer(hid::Backend& backend, UiDispatcher& dispatcher,
             HidReaderMode mode = HidReaderMode::Threaded);
    ~HidLayer();
    HidLayer(const HidLayer&) = delete;
    HidLayer& operator=(const HidLayer&) = delete;

    void setDeviceChangeHandler(ChangeHandler handler) { changeHandler_ = std::move(handler); }
    void setArrivalHook(ArrivalHook hook) { arrivalHook_ = std::move(hook); }
    // Installing a handler starts the readers of the checked-out devices; an
    // empty handler stops them all.
    void setDataHandler(DataHandler handler);
    bool hasDataHandler() const { return dataHandler_ != nullptr; }

    // Wait of one reader read, in milliseconds (100 unless changed); applies
    // to readers started afterwards.
    void setReaderWaitMs(int ms) { readerWaitMs_ = ms > 0 ? ms : 1; }
    int readerWaitMs() const { return readerWaitMs_; }
    // Length in reports of a threaded reader's hand-over queue; applies to
    // readers started afterwards.
    void setReaderQueueReports(std::size_t n) { readerQueueReports_ = n > 0 ? n : 1; }
    std::size_t readerQueueReports() const { return readerQueueReports_; }
    HidReaderMode readerMode() const { return mode_; }

    // One device-change pass now.
    void deviceChangePass() { runPass(false); }
    // Calls back with every known device in the backend's order; returns
    // false when the callback ended the walk.
    bool enumerate(const EnumerationCallback& callback);
    const std::vector<std::shared_ptr<HidDevice>>& devices() const { return devices_; }

    // Takes a device into use; false when it is no longer plugged.
    bool checkOut(HidDevice& device);
    // Releases a device: stops its reader and closes its command handle.
    void checkIn(HidDevice& device);

    // Manual mode: delivers every report queued on the readers now, on the
    // calling thread; returns how many.
    std::size_t pollReaders();

private:
    struct Token;
    void runPass(bool firstPass);
    void restartReaders();
    // Posts one pass through the dispatcher unless one is on its way already.
    // Callable from any thread; does nothing once the layer is gone.
    std::function<void()> passRequest() const;
    void startReader(HidDevice& device);
    void deliver(HidDevice& device, const std::uint8_t* report, std::size_t length);

    hid::Backend& backend_;
    UiDispatcher& dispatcher_;
    HidReaderMode mode_;
    int readerWaitMs_ = 100;
    std::size_t readerQueueReports_ = HidReader::kDefaultQueueReports;
    std::shared_ptr<Token> token_;
    std::vector<std::shared_ptr<HidDevice>> devices_;
    ChangeHandler changeHandler_;
    ArrivalHook arrivalHook_;
    std::shared_ptr<const DataHandler> dataHandler_;
};
