// Throughput of each codec in MB/s of input, on 1 MiB and on 64 bytes, called as a program calls
// them (a lent string in, a new string out), and OpenSSL's Base64 block functions on the same data.

#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <random>
#include <stdexcept>
#include <string>

#include "platform/plugin_host.h"

namespace {

constexpr size_t large = size_t{1} << 20;
constexpr size_t small = 64;

AnyFunction method(const char* declaration) {
    static const bool loaded = [] {
        if (std::string error = platform::loadPlugin(QUILVANE_LIBRARY); !error.empty()) {
            throw std::runtime_error(error);
        }
        return true;
    }();
    (void)loaded;
    return platform::findGlobalMethod(declaration);
}

const auto encodeBase64 = reinterpret_cast<StringWrapMethod>(
    method("EncodeBase64(data As String, lineWrap As Integer = 76) As String"));
const auto decodeBase64 = reinterpret_cast<StringEncodingMethod>(
    method("DecodeBase64(data As String, encoding as TextEncoding = nil) As String"));
const auto encodeQuotedPrintable =
    reinterpret_cast<StringMethod>(method("EncodeQuotedPrintable(data As String) As String"));
const auto decodeQuotedPrintable = reinterpret_cast<StringEncodingMethod>(
    method("DecodeQuotedPrintable(data As String, encoding as TextEncoding = nil) As String"));
const auto encodeURLComponent =
    reinterpret_cast<StringMethod>(method("EncodeURLComponent(data As String) As String"));
const auto decodeURLComponent = reinterpret_cast<StringEncodingMethod>(
    method("DecodeURLComponent(data As String, encoding as TextEncoding = nil) As String"));

std::string randomBytes(size_t length) {
    std::mt19937 generator(42);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string text(length, '\0');
    for (char& c : text) c = static_cast<char>(byte(generator));
    return text;
}

// Words, punctuation and CR LF line ends, as in a mail body or a form field.
std::string prose(size_t length) {
    std::mt19937 generator(43);
    const std::string words[] = {"the", "level",  "of",  "channel", "34", "is",   "at",    "full,",
                                 "and", "dimmer", "5/8", "fades",   "to", "50%.", "Stage", "left"};
    std::string text;
    size_t lineStart = 0;
    while (text.size() < length) {
        text += words[generator() % std::size(words)];
        if (text.size() - lineStart > 66) {
            text += "\r\n";
            lineStart = text.size();
        } else {
            text += ' ';
        }
    }
    text.resize(length);
    return text;
}

platform::StringRef encoded(StringWrapMethod encode, const std::string& data, int32_t lineWrap) {
    platform::StringRef argument(data);
    return platform::StringRef::adopt(encode(argument.get(), lineWrap));
}

platform::StringRef encoded(StringMethod encode, const std::string& data) {
    platform::StringRef argument(data);
    return platform::StringRef::adopt(encode(argument.get()));
}

template <class Call>
void measure(benchmark::State& state, size_t inputSize, Call call) {
    for (auto _ : state) call();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * inputSize));
}

void release(FrameworkString* s) {
    benchmark::DoNotOptimize(s);
    platform::releaseString(s);
}

void EncodeBase64(benchmark::State& state, int32_t lineWrap) {
    platform::StringRef data(randomBytes(static_cast<size_t>(state.range(0))));
    measure(state, data.text().size(), [&] { release(encodeBase64(data.get(), lineWrap)); });
}

void DecodeBase64(benchmark::State& state, int32_t lineWrap) {
    platform::StringRef text =
        encoded(encodeBase64, randomBytes(static_cast<size_t>(state.range(0))), lineWrap);
    measure(state, text.text().size(), [&] { release(decodeBase64(text.get(), nullptr)); });
}

void OpenSslEncodeBlock(benchmark::State& state) {
    const std::string data = randomBytes(static_cast<size_t>(state.range(0)));
    std::string out(data.size() / 3 * 4 + 8, '\0');
    measure(state, data.size(), [&] {
        benchmark::DoNotOptimize(EVP_EncodeBlock(
            reinterpret_cast<unsigned char*>(out.data()),
            reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size())));
    });
}

void OpenSslDecodeBlock(benchmark::State& state) {
    platform::StringRef text =
        encoded(encodeBase64, randomBytes(static_cast<size_t>(state.range(0))), 0);
    std::string out(text.text().size(), '\0');
    measure(state, text.text().size(), [&] {
        benchmark::DoNotOptimize(
            EVP_DecodeBlock(reinterpret_cast<unsigned char*>(out.data()),
                            reinterpret_cast<const unsigned char*>(text.text().data()),
                            static_cast<int>(text.text().size())));
    });
}

void Encode(benchmark::State& state, StringMethod encode, std::string (*input)(size_t)) {
    platform::StringRef data(input(static_cast<size_t>(state.range(0))));
    measure(state, data.text().size(), [&] { release(encode(data.get())); });
}

void Decode(benchmark::State& state, StringMethod encode, StringEncodingMethod decode,
            std::string (*input)(size_t)) {
    platform::StringRef text = encoded(encode, input(static_cast<size_t>(state.range(0))));
    measure(state, text.text().size(), [&] { release(decode(text.get(), nullptr)); });
}

void sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(large)->Arg(small);
}

BENCHMARK_CAPTURE(EncodeBase64, unwrapped, 0)->Apply(sizes);
BENCHMARK_CAPTURE(EncodeBase64, wrapped76, 76)->Apply(sizes);
BENCHMARK(OpenSslEncodeBlock)->Apply(sizes);
BENCHMARK_CAPTURE(DecodeBase64, unwrapped, 0)->Apply(sizes);
BENCHMARK_CAPTURE(DecodeBase64, wrapped76, 76)->Apply(sizes);
BENCHMARK(OpenSslDecodeBlock)->Apply(sizes);
BENCHMARK_CAPTURE(Encode, QuotedPrintable_prose, encodeQuotedPrintable, prose)->Apply(sizes);
BENCHMARK_CAPTURE(Encode, QuotedPrintable_random, encodeQuotedPrintable, randomBytes)->Apply(sizes);
BENCHMARK_CAPTURE(Decode, QuotedPrintable_prose, encodeQuotedPrintable, decodeQuotedPrintable,
                  prose)
    ->Apply(sizes);
BENCHMARK_CAPTURE(Decode, QuotedPrintable_random, encodeQuotedPrintable, decodeQuotedPrintable,
                  randomBytes)
    ->Apply(sizes);
BENCHMARK_CAPTURE(Encode, URLComponent_prose, encodeURLComponent, prose)->Apply(sizes);
BENCHMARK_CAPTURE(Encode, URLComponent_random, encodeURLComponent, randomBytes)->Apply(sizes);
BENCHMARK_CAPTURE(Decode, URLComponent_prose, encodeURLComponent, decodeURLComponent, prose)
    ->Apply(sizes);
BENCHMARK_CAPTURE(Decode, URLComponent_random, encodeURLComponent, decodeURLComponent, randomBytes)
    ->Apply(sizes);

}  // namespace

BENCHMARK_MAIN();
