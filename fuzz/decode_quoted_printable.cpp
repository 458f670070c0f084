// Any text decodes, never into more bytes than it has.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::NoStringLeft check;
    const std::string result = fuzz::decoded(fuzz::decodeQuotedPrintable, fuzz::asText(data, size));
    if (result.size() > size) std::abort();
    return 0;
}
