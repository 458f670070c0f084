// Any bytes a client sends: the head's end, its request line, the command value and the login all
// point into what was received, and the head limit agrees with the head's length.
#include "logic_support.h"
#include "server/basic_login.h"
#include "server/request.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view received = fuzz::asText(data, size);
    const size_t length = server::headLength(received);
    fuzz::check(length == 0 || (length <= size && received.substr(length - 4, 4) == "\r\n\r\n"));
    fuzz::check(server::headTooLong(received) ==
                (length == 0 ? size > server::maxHeadLength : length > server::maxHeadLength));

    const std::string_view head = length ? received.substr(0, length) : received;
    const std::string_view line = server::requestLine(head);
    fuzz::check(fuzz::within(line, head));
    server::classify(line);
    const std::string_view value = server::queryValue(line);
    fuzz::check(fuzz::within(value, line));
    fuzz::check(value.find('&') == std::string_view::npos || value.find('&') == value.size() - 1);

    const std::string_view credentials = server::basicCredentials(head);
    fuzz::check(fuzz::within(credentials, head));
    constexpr std::string_view expected = "dXNlcjpwYXNz";
    fuzz::check(server::loginAccepted(head, expected) == (credentials == expected));
    return 0;
}
