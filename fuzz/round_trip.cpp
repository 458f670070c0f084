// Any bytes encode and decode back to themselves. Built once per codec: ENCODER and DECODER name
// the declarations.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::NoStringLeft check;
    const std::string_view bytes = fuzz::asText(data, size);
    const std::string text = fuzz::encoded(fuzz::ENCODER, bytes);
    if (fuzz::decoded(fuzz::DECODER, text) != bytes) std::abort();
    return 0;
}
