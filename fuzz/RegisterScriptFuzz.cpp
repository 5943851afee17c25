// The register script load.txt: any bytes. A script is either refused as a
// whole or gives writes of an address and at least one data byte, and the
// same writes written out as a script read back the same.
#include "HexText.h"
#include "RegisterScript.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto writes = parseRegisterScript(text);
    if (!writes)
        return 0;
    std::string script;
    for (const auto& bytes : *writes) {
        if (bytes.size() < 2)
            std::abort();
        for (std::size_t i = 0; i < bytes.size(); ++i)
            script += (i ? ", " : "") + hexByteText(bytes[i]);
        script += "\r\n";
    }
    const auto again = parseRegisterScript(script);
    if (!again || *again != *writes)
        std::abort();
    return 0;
}
