#include "platform/plugin_host.h"

#include <dlfcn.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <set>

// The host's text encoding objects; plug-ins only pass references to them through.
struct TextEncoding {
    int32_t code;
};

namespace platform {
namespace {

// A string is one block: the record, then the buffer (a leading byte, the text, a spare byte).
// The record's first word counts references and its third carries the encoding tag. A string made
// without a source reads as zero bytes until it is filled. (malloc, not calloc: calloc bypasses
// the allocator's per-thread cache, which doubles the cost of a short string.)
FrameworkString* makeString(const char* source, int32_t length) {
    if (length < 0) return nullptr;
    const auto size = static_cast<size_t>(length);
    void* block = std::malloc(sizeof(FrameworkString) + size + 2);
    if (block == nullptr) return nullptr;
    auto* s = static_cast<FrameworkString*>(block);
    s->hostWord0 = 1;
    s->buffer = reinterpret_cast<unsigned char*>(s + 1);
    s->hostWord2 = static_cast<uint32_t>(noEncoding);
    s->lengthWord = static_cast<uint32_t>(length);
    s->buffer[0] = 0;
    unsigned char* text = frameworkStringText(s);
    if (source != nullptr && size > 0) {
        std::memcpy(text, source, size);
    } else {
        std::memset(text, 0, size);
    }
    text[size] = 0;
    return s;
}

size_t& liveStrings() {
    static size_t count = 0;
    return count;
}

void setEncoding(FrameworkString* s, int32_t code) {
    if (s != nullptr) s->hostWord2 = static_cast<uint32_t>(code);
}

// ---- Host routines, as plug-ins call them

void registerPluginVersion(int32_t) {}
double getMXVersion() {
    return hostFrameworkVersion;
}
uint8_t inRuntime() {
    return 1;
}

std::map<std::string, const MethodEntry*, std::less<>>& globalMethods();

// The first registration of a declaration stands: a plug-in can't replace a method already there.
void registerMethod(const MethodEntry* entry) {
    if (entry != nullptr && entry->declaration != nullptr && entry->function != nullptr) {
        globalMethods().try_emplace(entry->declaration, entry);
    }
}

FrameworkString* buildString(const char* source, int32_t length) {
    FrameworkString* s = makeString(source, length);
    if (s != nullptr) ++liveStrings();
    return s;
}

// The host has no modules or classes, so only an unqualified look-up finds anything.
AnyFunction loadGlobalMethod(const char* name, const char* declaration) {
    if ((name != nullptr && *name != '\0') || declaration == nullptr) return nullptr;
    return findGlobalMethod(declaration);
}

// A string that only the caller holds takes the tag itself; a shared one is copied, so that no
// other holder sees its tag change.
FrameworkString* defineEncoding(FrameworkString* s, const TextEncoding* encoding) {
    if (s == nullptr) return nullptr;
    FrameworkString* tagged = s;
    if (stringReferences(s) == 1) {
        retainString(s);
    } else {
        std::string_view text = stringText(s);
        tagged = buildString(text.data(), static_cast<int32_t>(text.size()));
    }
    setEncoding(tagged, encodingCode(encoding));
    return tagged;
}

const MethodEntry defineEncodingEntry = {
    reinterpret_cast<AnyFunction>(defineEncoding), nullptr,
    "DefineEncoding( s as String, enc as TextEncoding ) as String", 0};

std::map<std::string, const MethodEntry*, std::less<>>& globalMethods() {
    static std::map<std::string, const MethodEntry*, std::less<>> methods = {
        {defineEncodingEntry.declaration, &defineEncodingEntry}};
    return methods;
}

template <class Function>
AnyFunction address(Function function) {
    return reinterpret_cast<AnyFunction>(function);
}

// This host's routines, in the order of the ABI's list.
const std::array<AnyFunction, quilvaneHostRoutineCount> hostRoutines = {
    address(registerPluginVersion), address(getMXVersion), address(inRuntime),
    address(registerMethod),        address(buildString),  address(retainString),
    address(releaseString),         address(setEncoding),  address(loadGlobalMethod)};

}  // namespace

std::string loadPlugin(const std::filesystem::path& library) {
    static std::set<void*> entered;
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return dlerror();
    if (entered.contains(handle)) {
        dlclose(handle);  // drops the reference this call took; the first load keeps it
        return {};
    }
    auto entry = reinterpret_cast<PluginMainFunction>(dlsym(handle, QUILVANE_ENTRY_NAME));
    if (entry == nullptr) {
        dlclose(handle);
        return library.string() + " has no entry " QUILVANE_ENTRY_NAME;
    }
    entered.insert(handle);
    startPlugin(entry);
    return {};
}

void startPlugin(PluginMainFunction entry) {
    entry(resolveHostRoutine);
}

AnyFunction resolveHostRoutine(const char* name) {
    if (name == nullptr) return nullptr;
    const QuilvaneHostRoutine routine = quilvaneHostRoutineIndex(name);
    return routine < quilvaneHostRoutineCount ? hostRoutines[routine] : nullptr;
}

AnyFunction findGlobalMethod(std::string_view declaration) {
    auto found = globalMethods().find(declaration);
    return found != globalMethods().end() ? found->second->function : nullptr;
}

const TextEncoding* textEncoding(int32_t code) {
    static std::map<int32_t, std::unique_ptr<TextEncoding>> encodings;
    auto& encoding = encodings[code];
    if (!encoding) encoding = std::make_unique<TextEncoding>(TextEncoding{code});
    return encoding.get();
}

int32_t encodingCode(const TextEncoding* encoding) {
    return encoding != nullptr ? encoding->code : noEncoding;
}

FrameworkString* newString(std::string_view text) {
    return buildString(text.data(), static_cast<int32_t>(text.size()));
}

void retainString(FrameworkString* s) {
    if (s != nullptr) ++s->hostWord0;
}

void releaseString(FrameworkString* s) {
    if (s == nullptr || --s->hostWord0 > 0) return;
    --liveStrings();
    std::free(s);
}

std::string_view stringText(const FrameworkString* s) {
    if (s == nullptr) return {};
    return {reinterpret_cast<const char*>(frameworkStringText(s)),
            static_cast<size_t>(frameworkStringLength(s))};
}

int32_t stringEncoding(const FrameworkString* s) {
    return s != nullptr ? static_cast<int32_t>(static_cast<uint32_t>(s->hostWord2)) : noEncoding;
}

int32_t stringReferences(const FrameworkString* s) {
    return s != nullptr ? static_cast<int32_t>(s->hostWord0) : 0;
}

size_t liveStringCount() {
    return liveStrings();
}

StringRef StringRef::adopt(FrameworkString* s) {
    StringRef ref;
    ref.s_ = s;
    return ref;
}

StringRef::StringRef(const StringRef& other) : s_(other.s_) {
    retainString(s_);
}

StringRef& StringRef::operator=(StringRef other) noexcept {
    std::swap(s_, other.s_);
    return *this;
}

}  // namespace platform
