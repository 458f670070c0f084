// The plug-in's entry: it records the interface version with the host and registers the six codec
// methods, by the host's framework version and whether it is a built program.

#include "codec_methods.h"
#include "host_routines.h"

namespace quilvane {
namespace {

constexpr int32_t pluginInterfaceVersion = 9;
constexpr double fullSupportVersion = 2007.04;
constexpr double developmentOnlyVersion = 5.9;

// Hosts from fullSupportVersion on get the methods everywhere; older ones from
// developmentOnlyVersion on only in the development environment. A version that is not a number
// fails both comparisons.
void registerCodecMethods() {
    const double version = hostVersion();
    if (!(version >= fullSupportVersion)) {
        if (hostInRuntime()) return;
        if (!(version >= developmentOnlyVersion)) return;
    }
    for (const MethodEntry& entry : methodTable) registerMethod(entry);
}

}  // namespace

// A host that can't record the interface version is not one this plug-in was built for: nothing
// is registered rather than calling through a null address.
extern "C" __attribute__((visibility("default"))) void MOXLPluginMain(
    HostCallbackResolver resolver) {
    setResolver(resolver);
    auto registerVersion =
        reinterpret_cast<RegisterPluginVersionFunction>(resolveOnce("RegisterPluginVersion"));
    if (registerVersion == nullptr) return;
    registerVersion(pluginInterfaceVersion);
    registerCodecMethods();
}

}  // namespace quilvane
