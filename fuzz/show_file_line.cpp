// Any line of a show file: its fields, joined by commas again, are the text between the line's two
// delimiter characters.
#include <string>

#include "command/show_file_format.h"
#include "logic_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view line = fuzz::asText(data, size);
    const std::vector<std::string> fields = command::showLineFields(line);
    if (size <= 2) {
        fuzz::check(fields.empty());
        return 0;
    }
    std::string joined;
    for (size_t i = 0; i < fields.size(); ++i) joined += (i ? "," : "") + fields[i];
    fuzz::check(joined == line.substr(1, size - 2));
    return 0;
}
