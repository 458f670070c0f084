/* A plug-in that registers only EncodeBase64, as an outdated or foreign library might: the program
 * must refuse to start rather than call through the missing entry. */
#include "plugin/quilvane_abi.h"

static FrameworkString* encodeNothing(FrameworkString* data, int32_t lineWrap) {
    (void)data;
    (void)lineWrap;
    return 0;
}

static const MethodEntry onlyEntry = {
    (AnyFunction)encodeNothing, 0,
    "EncodeBase64(data As String, lineWrap As Integer = 76) As String", 4};

__attribute__((visibility("default"))) void MOXLPluginMain(HostCallbackResolver resolver) {
    ((RegisterPluginVersionFunction)resolver("RegisterPluginVersion"))(9);
    ((RegisterMethodFunction)resolver("PluginRegisterMethod"))(&onlyEntry);
}
