#include "command/show_file_format.h"

#include "platform/hex_bytes.h"

namespace command {

namespace {

bool escaped(unsigned char c) {
    return c < 0x20 || c == 0x7f || c == '%' || c == ',' || c == '[' || c == ']';
}

}  // namespace

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

void appendLabelField(std::string& text, std::string_view label) {
    for (unsigned char c : label) {
        if (escaped(c)) {
            text += '%';
            platform::appendHexByte(text, c);
        } else {
            text += char(c);
        }
    }
}

std::optional<std::string> readLabelField(std::string_view field) {
    std::string label;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            label += field[i];
            continue;
        }
        auto byte = platform::hexByte(field.substr(i + 1));
        if (!byte) return std::nullopt;
        label += char(*byte);
        i += 2;
    }
    return label;
}

}  // namespace command
