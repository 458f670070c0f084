#pragma once
// A host written to the plug-in's header alone: it loads the real library afresh, answers as the
// test sets it up and records every look-up and every host call. Strings are the framework's own,
// so their references, tags and count can be checked.

#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/plugin_host.h"
#include "plugin/quilvane_abi.h"

namespace plugintest {

struct HostSetup {
    std::optional<double> version = 2007.04;  // nullopt: "MOXLGetMXVersion" is not answered
    bool inRuntime = true;
    bool offersDefineEncoding = true;
    std::set<std::string> withheld{};  // names the resolver answers with null
};

enum class Method {
    EncodeBase64,
    DecodeBase64,
    EncodeQuotedPrintable,
    DecodeQuotedPrintable,
    EncodeURLComponent,
    DecodeURLComponent
};

// One load of the library; it is unloaded again at the end, so the next load starts from scratch.
// Only one exists at a time.
class RecordingHost {
  public:
    explicit RecordingHost(HostSetup setup = {});
    ~RecordingHost();
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    // Names asked of the resolver, in order.
    const std::vector<std::string>& lookups() const;
    // Host routines and methods called, in order, by name.
    const std::vector<std::string>& calls() const;
    void clearLog();
    const std::vector<const MethodEntry*>& registered() const;
    // The encodings DefineEncoding was called with, in order.
    const std::vector<const TextEncoding*>& definedEncodings() const;

    // Calls a registered method; the data is lent and stays the caller's.
    platform::StringRef call(Method method, FrameworkString* data, int32_t lineWrap = 76,
                             const TextEncoding* encoding = nullptr) const;
    // The same over text: the result's text.
    std::string run(Method method, std::string_view data, int32_t lineWrap = 76) const;
    // Encodes the data, checks that nothing went past the result's text (its spare byte stays 0)
    // and that decoding gives the data back; returns the encoded text.
    std::string expectRoundTrip(Method encoder, Method decoder, const std::string& data,
                                int32_t lineWrap = 76) const;
    // Checks each pair of data and expected result.
    void expectResults(Method method,
                       std::initializer_list<std::pair<std::string, std::string>> cases) const;

  private:
    void* library_ = nullptr;
};

}  // namespace plugintest
