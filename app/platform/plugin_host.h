#pragma once
// The framework's plug-in host: it loads plug-ins, answers their look-ups of host routines, keeps
// the framework strings that cross the boundary and the global methods, found by declaration text.
// Like the rest of the framework it runs on the one event thread.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "plugin/quilvane_abi.h"

namespace platform {

// What the host reports to a plug-in: a built program of this framework version.
inline constexpr double hostFrameworkVersion = 2007.04;

// Loads the library and runs its entry; a library that is already loaded is not entered again.
// Returns the reason of a failure, empty on success.
std::string loadPlugin(const std::filesystem::path& library);
// Runs the entry of a plug-in that is already at hand.
void startPlugin(PluginMainFunction entry);
// The resolver handed to plug-ins: the host routines by name, null for any other name.
AnyFunction resolveHostRoutine(const char* name);
// The global method declared by exactly this text (the host's own or a plug-in's), or null.
AnyFunction findGlobalMethod(std::string_view declaration);

// Encoding codes of the Text Encoding Converter numbering; a string with a nil encoding carries
// noEncoding.
inline constexpr int32_t noEncoding = -1;
inline constexpr int32_t asciiEncoding = 0x600;
inline constexpr int32_t utf8Encoding = 0x08000100;
// The one TextEncoding object for a code; it lives as long as the program.
const TextEncoding* textEncoding(int32_t code);
int32_t encodingCode(const TextEncoding* encoding);  // noEncoding for nil

// Framework strings. A new string holds one reference, owned by the caller; the last release frees
// it. A null string is the empty string.
FrameworkString* newString(std::string_view text);
void retainString(FrameworkString* s);
void releaseString(FrameworkString* s);
std::string_view stringText(const FrameworkString* s);
int32_t stringEncoding(const FrameworkString* s);  // noEncoding for null
int32_t stringReferences(const FrameworkString* s);
// Strings made and not yet freed.
size_t liveStringCount();

// One reference held for a scope.
class StringRef {
  public:
    StringRef() = default;
    explicit StringRef(std::string_view text) : s_(newString(text)) {}
    // Takes over a reference the caller owns, such as a method's result.
    static StringRef adopt(FrameworkString* s);
    StringRef(const StringRef& other);
    StringRef(StringRef&& other) noexcept : s_(std::exchange(other.s_, nullptr)) {}
    StringRef& operator=(StringRef other) noexcept;
    ~StringRef() { releaseString(s_); }

    FrameworkString* get() const { return s_; }
    std::string_view text() const { return stringText(s_); }
    int32_t encoding() const { return stringEncoding(s_); }

  private:
    FrameworkString* s_ = nullptr;
};

}  // namespace platform
