#pragma once
// The tool table: one entry per plugged configuration tool, its lists kept in
// step. Device[i] is the opened HID device of entry i (the object of Name[i]).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class HidDevice;

struct TCTData {
    std::vector<std::string> Name;          // display name
    std::vector<std::shared_ptr<HidDevice>> Device;
    std::vector<std::string> Index;         // position in the device list, decimal text
    std::vector<std::string> VendorID;      // decimal text
    std::vector<std::string> ProductID;     // decimal text
    std::vector<std::string> SerialNumber;
    std::int32_t Count = 0;

    void Clear()
    {
        Name.clear();
        Device.clear();
        Index.clear();
        VendorID.clear();
        ProductID.clear();
        SerialNumber.clear();
        Count = 0;
    }
};
