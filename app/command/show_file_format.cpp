#include "command/show_file_format.h"

namespace command {

std::vector<std::string> showLineFields(std::string_view line) {
    std::vector<std::string> fields;
    if (line.size() <= 2) return fields;
    std::string_view rest = line.substr(1, line.size() - 2);
    for (size_t comma = rest.find(','); comma != std::string_view::npos; comma = rest.find(',')) {
        fields.emplace_back(rest.substr(0, comma));
        rest.remove_prefix(comma + 1);
    }
    fields.emplace_back(rest);
    return fields;
}

}  // namespace command
