#pragma once
// The host routines the plug-in calls, reached through the resolver the host gave at entry. Each
// routine is looked up on first use and kept; a name the host doesn't answer is asked again at the
// next use, and meanwhile the call is skipped with a neutral result.

#include <cstdint>

#include "quilvane_abi.h"

namespace quilvane {

inline constexpr int32_t asciiEncoding = 0x600;

void setResolver(HostCallbackResolver resolver);
// The resolver's answer for a name, without keeping it; null before entry.
AnyFunction resolveOnce(const char* name);

double hostVersion();  // 0.0 when the host doesn't answer
bool hostInRuntime();  // false when the host doesn't answer
void registerMethod(const MethodEntry& entry);
// A new string of length bytes, holding one reference; null when the host can't make it.
FrameworkString* buildString(int32_t length);
void lockString(FrameworkString* s);
void unlockString(FrameworkString* s);
void setStringEncoding(FrameworkString* s, int32_t encoding);

// Hands a decoder's result to the host's DefineEncoding with the caller's encoding and returns what
// it gives back; the result untagged when the host has no DefineEncoding.
FrameworkString* applyDefineEncoding(FrameworkString* result, const TextEncoding* encoding);

}  // namespace quilvane
