#include "host_routines.h"

#include <atomic>

namespace quilvane {
namespace {

// Written once at entry, before any method runs; the slots may be filled from several threads, each
// with the same answer.
std::atomic<HostCallbackResolver> storedResolver{nullptr};

class Slot {
  public:
    explicit constexpr Slot(const char* name) : name_(name) {}

    template <class Function>
    Function get() {
        AnyFunction address = address_.load(std::memory_order_relaxed);
        if (address == nullptr) {
            address = resolveOnce(name_);
            address_.store(address, std::memory_order_relaxed);
        }
        return reinterpret_cast<Function>(address);
    }

  private:
    const char* name_;
    std::atomic<AnyFunction> address_{nullptr};
};

Slot getMXVersion{"MOXLGetMXVersion"};
Slot inRuntime{"MOXLinRuntime"};
Slot registerMethodSlot{"PluginRegisterMethod"};
Slot buildStringSlot{"MOXLBuildString"};
Slot lockStringSlot{"MOXLLockString"};
Slot unlockStringSlot{"MOXLUnlockString"};
Slot setStringEncodingSlot{"MOXLSetStringEncoding"};
Slot loadGlobalMethod{"MOXLLoadGlobalMethod"};

constexpr char defineEncodingDeclaration[] =
    "DefineEncoding( s as String, enc as TextEncoding ) as String";
std::atomic<AnyFunction> defineEncodingSlot{nullptr};

DefineEncodingFunction defineEncoding() {
    AnyFunction address = defineEncodingSlot.load(std::memory_order_relaxed);
    if (address == nullptr) {
        if (auto load = loadGlobalMethod.get<LoadGlobalMethodFunction>()) {
            address = load(nullptr, defineEncodingDeclaration);
            defineEncodingSlot.store(address, std::memory_order_relaxed);
        }
    }
    return reinterpret_cast<DefineEncodingFunction>(address);
}

}  // namespace

void setResolver(HostCallbackResolver resolver) {
    storedResolver.store(resolver);
}

AnyFunction resolveOnce(const char* name) {
    HostCallbackResolver resolver = storedResolver.load();
    return resolver ? resolver(name) : nullptr;
}

double hostVersion() {
    auto routine = getMXVersion.get<GetMXVersionFunction>();
    return routine ? routine() : 0.0;
}

bool hostInRuntime() {
    auto routine = inRuntime.get<InRuntimeFunction>();
    return routine ? routine() != 0 : false;
}

void registerMethod(const MethodEntry& entry) {
    if (auto routine = registerMethodSlot.get<RegisterMethodFunction>()) routine(&entry);
}

FrameworkString* buildString(int32_t length) {
    auto routine = buildStringSlot.get<BuildStringFunction>();
    return routine ? routine(nullptr, length) : nullptr;
}

void lockString(FrameworkString* s) {
    if (auto routine = lockStringSlot.get<StringReferenceFunction>()) routine(s);
}

void unlockString(FrameworkString* s) {
    if (auto routine = unlockStringSlot.get<StringReferenceFunction>()) routine(s);
}

void setStringEncoding(FrameworkString* s, int32_t encoding) {
    if (auto routine = setStringEncodingSlot.get<SetStringEncodingFunction>()) routine(s, encoding);
}

FrameworkString* applyDefineEncoding(FrameworkString* result, const TextEncoding* encoding) {
    DefineEncodingFunction define = defineEncoding();
    if (define == nullptr) return result;
    FrameworkString* tagged = define(result, encoding);
    unlockString(result);
    return tagged;
}

}  // namespace quilvane
