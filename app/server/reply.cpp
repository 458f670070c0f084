#include "server/reply.h"

namespace server {

namespace {

std::string withPageAround(std::string_view page, std::string_view fragment) {
    std::string reply;
    reply.reserve(okHeader.size() + page.size() + fragment.size() + pageTail.size());
    reply.append(okHeader).append(page).append(fragment).append(pageTail);
    return reply;
}

// The console's own texts hold none of these; a cue label is the operator's, and goes into the page
// as text, never as markup.
std::string htmlText(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == '&') {
            escaped += "&amp;";
        } else if (c == '<') {
            escaped += "&lt;";
        } else if (c == '>') {
            escaped += "&gt;";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::string pageReply(std::string_view page) {
    return withPageAround(page, {});
}

std::string commandReply(std::string_view page, std::string_view tokens, std::string_view results) {
    std::string fragment = "<B>";
    fragment.append(htmlText(tokens)).append("</B><HR>").append(htmlText(results)).append("<BR>");
    return withPageAround(page, fragment);
}

}  // namespace server
