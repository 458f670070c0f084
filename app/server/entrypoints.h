#pragma once
// The program's binding of the plug-in methods it calls: a table of method addresses filled at
// start-up by declaration text, and the calls through it.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "shell/module1.h"

namespace Module1 {

inline constexpr char pluginFileName[] = "libquilvane.so";

// Loads the plug-in (beside the program unless a path is given) and binds entrypointTable. Returns
// the message that stops start-up when an entry the program calls is missing, else empty text.
std::string bindPluginMethods(const std::filesystem::path& library = {});

// The plug-in's methods as the program calls them: the text is lent as a framework string and the
// result taken over and released.
std::string DecodeURLComponent(std::string_view data);
std::string EncodeBase64(std::string_view data, int32_t lineWrap);

}  // namespace Module1
