#include "HidLayer.h"

#include "UiDispatcher.h"

#include <algorithm>
#include <atomic>

// Lets posted passes and backend notifications find the layer while it lives.
struct HidLayer::Token {
    HidLayer* layer = nullptr;
    std::atomic<bool> passPending{false};
};

namespace {
constexpr std::size_t kMinReportCapacity = 65;
}

HidLayer::HidLayer(hid::Backend& backend, UiDispatcher& dispatcher, HidReaderMode mode)
    : backend_(backend), dispatcher_(dispatcher), mode_(mode), token_(std::make_shared<Token>())
{
    token_->layer = this;
    const std::weak_ptr<Token> weak = token_;
    backend_.setChangeNotifier(passRequest());
    dispatcher_.post([weak] {
        if (const std::shared_ptr<Token> t = weak.lock())
            t->layer->runPass(true);
    });
}

HidLayer::~HidLayer()
{
    backend_.setChangeNotifier({});
    token_.reset();
    dataHandler_.reset();
    for (const auto& device : devices_) {
        device->reader_.reset();
        device->closeCommandHandle();
    }
}

std::function<void()> HidLayer::passRequest() const
{
    const std::weak_ptr<Token> weak = token_;
    UiDispatcher* ui = &dispatcher_;
    return [weak, ui] {
        const std::shared_ptr<Token> token = weak.lock();
        if (!token || token->passPending.exchange(true))
            return;  // gone, or a pass is already on its way
        ui->post([weak] {
            if (const std::shared_ptr<Token> t = weak.lock()) {
                t->passPending = false;
                t->layer->runPass(false);
            }
        });
    };
}

void HidLayer::runPass(bool firstPass)
{
    const std::vector<std::shared_ptr<hid::Device>> present = backend_.enumerate();
    std::vector<std::shared_ptr<HidDevice>> next;
    std::vector<std::shared_ptr<HidDevice>> arrived;
    next.reserve(present.size());
    bool changed = false;
    for (const auto& raw : present) {
        if (!raw)
            continue;
        auto known = std::find_if(devices_.begin(), devices_.end(),
                                  [&](const auto& d) { return d->backendDevice() == raw; });
        if (known != devices_.end()) {
            next.push_back(*known);
        } else {
            auto device = std::make_shared<HidDevice>(raw);
            device->requestRescan_ = passRequest();
            next.push_back(device);
            arrived.push_back(device);
            changed = true;
        }
    }
    for (const auto& device : devices_) {
        if (std::find(next.begin(), next.end(), device) != next.end())
            continue;
        device->pluggedIn_ = false;
        device->reader_.reset();
        device->closeCommandHandle();
        changed = true;
    }
    devices_ = std::move(next);
    restartReaders();

    for (const auto& device : arrived) {
        if (arrivalHook_)
            arrivalHook_(*device);
    }
    if ((changed || firstPass) && changeHandler_) {
        const ChangeHandler handler = changeHandler_;  // may be replaced while it runs
        handler();
    }
}

void HidLayer::restartReaders()
{
    if (!dataHandler_)
        return;
    for (const auto& device : devices_) {
        if (!device->checkedOut_ || !device->pluggedIn_)
            continue;
        if (device->reader_ && !device->reader_->failed())
            continue;
        device->reader_.reset();
        startReader(*device);
    }
}

bool HidLayer::enumerate(const EnumerationCallback& callback)
{
    const std::vector<std::shared_ptr<HidDevice>> devices = devices_;
    for (const auto& device : devices) {
        if (!callback(device))
            return false;
    }
    return true;
}

bool HidLayer::checkOut(HidDevice& device)
{
    if (!device.pluggedIn_)
        return false;
    device.checkedOut_ = true;
    if (dataHandler_ && !device.reader_)
        startReader(device);
    return true;
}

void HidLayer::checkIn(HidDevice& device)
{
    device.checkedOut_ = false;
    device.reader_.reset();
    device.closeCommandHandle();
}

void HidLayer::setDataHandler(DataHandler handler)
{
    if (handler) {
        dataHandler_ = std::make_shared<const DataHandler>(std::move(handler));
        for (const auto& device : devices_) {
            if (device->checkedOut_ && device->pluggedIn_ && !device->reader_)
                startReader(*device);
        }
    } else {
        dataHandler_.reset();
        for (const auto& device : devices_)
            device->reader_.reset();
    }
}

void HidLayer::startReader(HidDevice& device)
{
    hid::Capabilities caps;
    std::size_t capacity = kMinReportCapacity;
    if (device.capabilities(caps))
        capacity = std::max<std::size_t>(capacity, caps.inputReportLength);
    HidDevice* target = &device;
    device.reader_ = HidReader::start(
        *device.backendDevice(), capacity, mode_, dispatcher_, readerWaitMs_,
        [this, target](const std::uint8_t* report, std::size_t length) {
            deliver(*target, report, length);
        },
        passRequest(), readerQueueReports_);
}

void HidLayer::deliver(HidDevice& device, const std::uint8_t* report, std::size_t length)
{
    if (length < 2)
        return;  // nothing beyond the report-ID byte
    // A local reference keeps the handler alive if it removes itself.
    const std::shared_ptr<const DataHandler> handler = dataHandler_;
    if (handler && *handler)
        (*handler)(device, report + 1, static_cast<std::uint16_t>(std::min<std::size_t>(length - 1, 0xFFFF)));
}

std::size_t HidLayer::pollReaders()
{
    if (mode_ != HidReaderMode::Manual)
        return 0;
    const std::vector<std::shared_ptr<HidDevice>> devices = devices_;
    std::size_t delivered = 0;
    for (const auto& device : devices) {
        if (device->reader_)
            delivered += device->reader_->poll();
    }
    return delivered;
}
