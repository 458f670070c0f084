// Any text decodes; the result is three bytes for every four alphabet characters at most.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::NoStringLeft check;
    const std::string result = fuzz::decoded(fuzz::decodeBase64, fuzz::asText(data, size));
    if (result.size() > size * 3 / 4) std::abort();
    return 0;
}
