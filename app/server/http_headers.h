#pragma once
// A collection of HTTP headers, name to value, kept in the order they were first set. Names are
// matched without regard to letter case, as HTTP requires.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace http {

class HttpHeaders {
  public:
    using Entry = std::pair<std::string, std::string>;

    // Replaces the value of a header of that name, or adds the header at the end.
    void set(std::string_view name, std::string value);
    void remove(std::string_view name);
    bool has(std::string_view name) const;
    // Empty when the header is absent.
    std::string value(std::string_view name) const;
    const std::vector<Entry>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    void clear() { entries_.clear(); }

  private:
    std::vector<Entry>::const_iterator find(std::string_view name) const;

    std::vector<Entry> entries_;
};

}  // namespace http
