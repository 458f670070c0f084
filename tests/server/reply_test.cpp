#include "server/reply.h"

#include <gtest/gtest.h>

namespace {

TEST(Reply, PageReplyIsStatusLinePageAndTail) {
    EXPECT_EQ(server::pageReply("<form>"), "HTTP/1.0 200 OK\r\n\r\n<form></body></html>");
    EXPECT_EQ(server::pageReply(""), "HTTP/1.0 200 OK\r\n\r\n</body></html>");
}

TEST(Reply, CommandReplyCarriesTokensAndResultAfterThePage) {
    EXPECT_EQ(server::commandReply("<form>", "34 @ 25", "34 at 25%"),
              "HTTP/1.0 200 OK\r\n\r\n<form><B>34 @ 25</B><HR>34 at 25%<BR></body></html>");
}

TEST(Reply, CommandReplyShowsMarkupInAResultAsText) {
    EXPECT_EQ(server::commandReply("<form>", "", "cue 1 \"<i>&\" recorded"),
              "HTTP/1.0 200 OK\r\n\r\n<form><B></B><HR>cue 1 \"&lt;i&gt;&amp;\" "
              "recorded<BR></body></html>");
}

}  // namespace
