#include "server/reply.h"

namespace server {

namespace {

std::string withPageAround(std::string_view page, std::string_view fragment) {
    std::string reply;
    reply.reserve(okHeader.size() + page.size() + fragment.size() + pageTail.size());
    reply.append(okHeader).append(page).append(fragment).append(pageTail);
    return reply;
}

}  // namespace

std::string pageReply(std::string_view page) {
    return withPageAround(page, {});
}

std::string commandReply(std::string_view page, std::string_view tokens, std::string_view results) {
    std::string fragment = "<B>";
    fragment.append(tokens).append("</B><HR>").append(results).append("<BR>");
    return withPageAround(page, fragment);
}

}  // namespace server
