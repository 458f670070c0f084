#pragma once
// The plug-in started on the framework's host, and its methods called as a program calls them.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "logic_support.h"
#include "platform/plugin_host.h"

extern "C" void MOXLPluginMain(HostCallbackResolver resolver);

namespace fuzz {

inline AnyFunction method(const char* declaration) {
    static const bool started = (platform::startPlugin(MOXLPluginMain), true);
    (void)started;
    AnyFunction function = platform::findGlobalMethod(declaration);
    if (function == nullptr) std::abort();
    return function;
}

inline std::string encoded(const char* declaration, std::string_view data) {
    platform::StringRef argument(data);
    auto encode = reinterpret_cast<StringMethod>(method(declaration));
    return std::string(platform::StringRef::adopt(encode(argument.get())).text());
}

inline std::string decoded(const char* declaration, std::string_view text) {
    platform::StringRef argument(text);
    auto decode = reinterpret_cast<StringEncodingMethod>(method(declaration));
    return std::string(platform::StringRef::adopt(decode(argument.get(), nullptr)).text());
}

// Every string made during a call is released by its end.
class NoStringLeft {
  public:
    NoStringLeft() : before_(platform::liveStringCount()) {}
    ~NoStringLeft() {
        if (platform::liveStringCount() != before_) std::abort();
    }

  private:
    size_t before_;
};

inline constexpr char encodeBase64[] =
    "EncodeBase64(data As String, lineWrap As Integer = 76) As String";
inline constexpr char decodeBase64[] =
    "DecodeBase64(data As String, encoding as TextEncoding = nil) As String";
inline constexpr char encodeQuotedPrintable[] = "EncodeQuotedPrintable(data As String) As String";
inline constexpr char decodeQuotedPrintable[] =
    "DecodeQuotedPrintable(data As String, encoding as TextEncoding = nil) As String";
inline constexpr char encodeURLComponent[] = "EncodeURLComponent(data As String) As String";
inline constexpr char decodeURLComponent[] =
    "DecodeURLComponent(data As String, encoding as TextEncoding = nil) As String";

}  // namespace fuzz
