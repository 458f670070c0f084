#include "server/http_headers.h"

#include <algorithm>
#include <cctype>

namespace http {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::vector<HttpHeaders::Entry>::const_iterator HttpHeaders::find(std::string_view name) const {
    return std::find_if(entries_.begin(), entries_.end(),
                        [name](const Entry& entry) { return sameName(entry.first, name); });
}

void HttpHeaders::set(std::string_view name, std::string value) {
    auto at = find(name);
    if (at == entries_.end()) {
        entries_.emplace_back(std::string(name), std::move(value));
        return;
    }
    entries_[static_cast<size_t>(at - entries_.begin())].second = std::move(value);
}

void HttpHeaders::remove(std::string_view name) {
    auto at = find(name);
    if (at != entries_.end()) entries_.erase(at);
}

bool HttpHeaders::has(std::string_view name) const {
    return find(name) != entries_.end();
}

std::string HttpHeaders::value(std::string_view name) const {
    auto at = find(name);
    return at == entries_.end() ? std::string() : at->second;
}

}  // namespace http
