#include "server/entrypoints.h"

#include "platform/files.h"
#include "platform/plugin_host.h"

namespace Module1 {
namespace {

// Matched byte for byte, default values and letter case included.
constexpr std::array<std::pair<size_t, const char*>, 2> boundDeclarations = {{
    {encodeBase64Entry, "EncodeBase64(data As String, lineWrap As Integer = 76) As String"},
    {decodeURLComponentEntry,
     "DecodeURLComponent(data As String, encoding as TextEncoding = nil) As String"},
}};

// Without the entry the program would jump through a null address, so it refuses to start.
std::string missingMethodsMessage(const std::filesystem::path& library, const std::string& reason) {
    return "Brannic Webserver can't start: the Quilvane plug-in " + library.string() + " " +
           reason + ". It must provide EncodeBase64 and DecodeURLComponent.";
}

template <class Method>
Method entry(size_t index) {
    return reinterpret_cast<Method>(entrypointTable[index]);
}

}  // namespace

std::string bindPluginMethods(const std::filesystem::path& library) {
    const std::filesystem::path path =
        library.empty() ? platform::ApplicationFolder() / pluginFileName : library;
    if (std::string error = platform::loadPlugin(path); !error.empty()) {
        return missingMethodsMessage(path, "could not be loaded (" + error + ")");
    }
    for (const auto& [index, declaration] : boundDeclarations) {
        entrypointTable[index] = platform::findGlobalMethod(declaration);
        if (entrypointTable[index] == nullptr) {
            return missingMethodsMessage(path, std::string("registers no \"") + declaration + "\"");
        }
    }
    return {};
}

std::string DecodeURLComponent(std::string_view data) {
    platform::StringRef argument(data);
    auto result = platform::StringRef::adopt(
        entry<StringEncodingMethod>(decodeURLComponentEntry)(argument.get(), nullptr));
    return std::string(result.text());
}

std::string EncodeBase64(std::string_view data, int32_t lineWrap) {
    platform::StringRef argument(data);
    auto result = platform::StringRef::adopt(
        entry<StringWrapMethod>(encodeBase64Entry)(argument.get(), lineWrap));
    return std::string(result.text());
}

}  // namespace Module1
