// Any bytes, at any line length taken from the first input byte, decode back to themselves.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    fuzz::NoStringLeft check;
    const int32_t lineWrap = static_cast<int8_t>(data[0]);
    const std::string_view bytes = fuzz::asText(data + 1, size - 1);
    platform::StringRef argument(bytes);
    auto encode = reinterpret_cast<StringWrapMethod>(fuzz::method(fuzz::encodeBase64));
    const auto text = platform::StringRef::adopt(encode(argument.get(), lineWrap));
    if (fuzz::decoded(fuzz::decodeBase64, text.text()) != bytes) std::abort();
    return 0;
}
