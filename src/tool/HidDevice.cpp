#include "HidDevice.h"

#include "HidReader.h"

HidDevice::HidDevice(std::shared_ptr<hid::Device> device) : device_(std::move(device)) {}

HidDevice::~HidDevice()
{
    reader_.reset();  // stops and joins the reader before the handles go
    command_.reset();
}

std::string HidDevice::path() const
{
    return device_ ? device_->path() : std::string();
}

bool HidDevice::attributes(hid::Attributes& out)
{
    if (!haveAttributes_ && device_)
        haveAttributes_ = device_->attributes(attributes_);
    if (haveAttributes_)
        out = attributes_;
    return haveAttributes_;
}

bool HidDevice::capabilities(hid::Capabilities& out)
{
    if (!haveCapabilities_ && device_)
        haveCapabilities_ = device_->capabilities(capabilities_);
    if (haveCapabilities_)
        out = capabilities_;
    return haveCapabilities_;
}

bool HidDevice::openCommandHandle()
{
    if (command_ || !device_ || !pluggedIn_)
        return command_ != nullptr;
    command_ = device_->open();
    if (!command_)
        commandHandleFailed();
    return command_ != nullptr;
}

void HidDevice::commandHandleFailed()
{
    command_.reset();
    if (requestRescan_)
        requestRescan_();
}

bool HidDevice::flushQueue()
{
    if (!openCommandHandle())
        return false;
    if (command_->flush())
        return true;
    commandHandleFailed();
    return false;
}

bool HidDevice::writeReport(const std::uint8_t* report, std::size_t length)
{
    return openCommandHandle() && command_->write(report, length);
}

hid::ReadStatus HidDevice::readReport(std::uint8_t* buf, std::size_t capacity, std::size_t& length,
                                      int timeoutMs)
{
    length = 0;
    if (!openCommandHandle())
        return hid::ReadStatus::Failed;
    const hid::ReadStatus status = command_->read(buf, capacity, length, timeoutMs);
    if (status == hid::ReadStatus::Failed)
        commandHandleFailed();
    return status;
}

void HidDevice::closeCommandHandle()
{
    command_.reset();
}
