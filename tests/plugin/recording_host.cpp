#include "recording_host.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

namespace plugintest {
namespace {

struct Record {
    HostSetup setup;
    std::vector<std::string> lookups{};
    std::vector<std::string> calls{};
    std::vector<const MethodEntry*> registered{};
    std::vector<const TextEncoding*> definedEncodings{};
};
Record record;

// The framework's own routine of that name, which the recording one passes the call on to.
template <class Function>
Function framework(const char* name) {
    return reinterpret_cast<Function>(platform::resolveHostRoutine(name));
}

void registerPluginVersion(int32_t version) {
    record.calls.push_back("RegisterPluginVersion(" + std::to_string(version) + ")");
}
double getMXVersion() {
    record.calls.push_back("MOXLGetMXVersion");
    return *record.setup.version;
}
uint8_t inRuntime() {
    record.calls.push_back("MOXLinRuntime");
    return record.setup.inRuntime ? 1 : 0;
}
void registerMethod(const MethodEntry* entry) {
    record.calls.push_back("PluginRegisterMethod");
    record.registered.push_back(entry);
}
FrameworkString* buildString(const char* source, int32_t length) {
    record.calls.push_back("MOXLBuildString");
    return framework<BuildStringFunction>("MOXLBuildString")(source, length);
}
void lockString(FrameworkString* s) {
    record.calls.push_back("MOXLLockString");
    platform::retainString(s);
}
void unlockString(FrameworkString* s) {
    record.calls.push_back("MOXLUnlockString");
    platform::releaseString(s);
}
void setStringEncoding(FrameworkString* s, int32_t encoding) {
    record.calls.push_back("MOXLSetStringEncoding");
    framework<SetStringEncodingFunction>("MOXLSetStringEncoding")(s, encoding);
}

constexpr char defineEncodingDeclaration[] =
    "DefineEncoding( s as String, enc as TextEncoding ) as String";

FrameworkString* defineEncoding(FrameworkString* s, const TextEncoding* encoding) {
    record.calls.push_back("DefineEncoding");
    record.definedEncodings.push_back(encoding);
    auto define = reinterpret_cast<DefineEncodingFunction>(
        platform::findGlobalMethod(defineEncodingDeclaration));
    return define(s, encoding);
}
AnyFunction loadGlobalMethod(const char* name, const char* declaration) {
    record.calls.push_back("MOXLLoadGlobalMethod");
    bool known = name == nullptr && std::string_view(declaration) == defineEncodingDeclaration;
    return known && record.setup.offersDefineEncoding
               ? reinterpret_cast<AnyFunction>(defineEncoding)
               : nullptr;
}

template <class Function>
AnyFunction address(Function function) {
    return reinterpret_cast<AnyFunction>(function);
}

AnyFunction resolve(const char* name) {
    record.lookups.emplace_back(name);
    // The recording routines, in the order of the ABI's list.
    static const std::array<AnyFunction, quilvaneHostRoutineCount> routines = {
        address(registerPluginVersion), address(getMXVersion),      address(inRuntime),
        address(registerMethod),        address(buildString),       address(lockString),
        address(unlockString),          address(setStringEncoding), address(loadGlobalMethod)};
    if (record.setup.withheld.contains(name)) return nullptr;
    if (!record.setup.version && std::string_view(name) == "MOXLGetMXVersion") return nullptr;
    const QuilvaneHostRoutine routine = quilvaneHostRoutineIndex(name);
    return routine < quilvaneHostRoutineCount ? routines[routine] : nullptr;
}

}  // namespace

RecordingHost::RecordingHost(HostSetup setup) {
    record = Record{std::move(setup)};
    library_ = dlopen(QUILVANE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (library_ == nullptr) throw std::runtime_error(dlerror());
    auto entry = reinterpret_cast<PluginMainFunction>(dlsym(library_, "MOXLPluginMain"));
    if (entry == nullptr) throw std::runtime_error("no MOXLPluginMain");
    entry(resolve);
}

RecordingHost::~RecordingHost() {
    dlclose(library_);
    // The next load must start from a fresh library, with empty slots.
    EXPECT_EQ(dlopen(QUILVANE_LIBRARY, RTLD_NOW | RTLD_NOLOAD), nullptr) << "library stayed loaded";
}

const std::vector<std::string>& RecordingHost::lookups() const {
    return record.lookups;
}
const std::vector<std::string>& RecordingHost::calls() const {
    return record.calls;
}
void RecordingHost::clearLog() {
    record.lookups.clear();
    record.calls.clear();
    record.definedEncodings.clear();
}
const std::vector<const MethodEntry*>& RecordingHost::registered() const {
    return record.registered;
}
const std::vector<const TextEncoding*>& RecordingHost::definedEncodings() const {
    return record.definedEncodings;
}

platform::StringRef RecordingHost::call(Method method, FrameworkString* data, int32_t lineWrap,
                                        const TextEncoding* encoding) const {
    const auto index = static_cast<size_t>(method);
    if (index >= record.registered.size()) throw std::logic_error("method not registered");
    AnyFunction function = record.registered[index]->function;
    FrameworkString* result = nullptr;
    switch (method) {
        case Method::EncodeBase64:
            result = reinterpret_cast<StringWrapMethod>(function)(data, lineWrap);
            break;
        case Method::EncodeQuotedPrintable:
        case Method::EncodeURLComponent:
            result = reinterpret_cast<StringMethod>(function)(data);
            break;
        case Method::DecodeBase64:
        case Method::DecodeQuotedPrintable:
        case Method::DecodeURLComponent:
            result = reinterpret_cast<StringEncodingMethod>(function)(data, encoding);
            break;
    }
    return platform::StringRef::adopt(result);
}

std::string RecordingHost::run(Method method, std::string_view data, int32_t lineWrap) const {
    platform::StringRef argument(data);
    return std::string(call(method, argument.get(), lineWrap).text());
}

std::string RecordingHost::expectRoundTrip(Method encoder, Method decoder, const std::string& data,
                                           int32_t lineWrap) const {
    platform::StringRef argument(data);
    platform::StringRef encoded = call(encoder, argument.get(), lineWrap);
    const std::string_view text = encoded.text();
    EXPECT_EQ(text.data()[text.size()], '\0') << "wrote past the result";
    EXPECT_EQ(run(decoder, text), data) << "length " << data.size() << " wrap " << lineWrap;
    return std::string(text);
}

void RecordingHost::expectResults(
    Method method, std::initializer_list<std::pair<std::string, std::string>> cases) const {
    for (const auto& [data, expected] : cases) {
        EXPECT_EQ(run(method, data), expected) << "from \"" << data << '"';
    }
}

}  // namespace plugintest
