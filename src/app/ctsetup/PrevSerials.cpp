#include "PrevSerials.h"

#include <algorithm>

std::vector<std::string> promoteSerial(std::vector<std::string> serials, const std::string& serial,
                                       std::size_t keep)
{
    serials.erase(std::remove(serials.begin(), serials.end(), serial), serials.end());
    serials.insert(serials.begin(), serial);
    if (serials.size() > keep)
        serials.resize(keep);
    return serials;
}
