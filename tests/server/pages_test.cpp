#include "server/pages.h"

#include <gtest/gtest.h>


namespace {

const std::string crlf = "\r\n";

TEST(FormPage, IsTheBuiltInPageWithCrLfLineEnds) {
    EXPECT_EQ(Module1::formPage(),
              "<html><head><title>DMX command</title></head><body>" + crlf +
                  "Type Brannic command & press Enter" + crlf +
                  "<form action='dmx' method='get'><input name='cmd' type='text'></form>" + crlf +
                  "<a href='help'>Help</a><BR>" + crlf);
}

TEST(HelpPage, IsOneReplyWithStatusLineLinkAndExamples) {
    std::string page = Module1::helpPage();
    const std::string start =
        "HTTP/1.0 200 OK\r\n\r\n<html><head><title>Brannic Help</title></head><body>Brannic "
        "Webserver by <a href='";
    EXPECT_EQ(page.substr(0, start.size()), start);
    EXPECT_NE(page.find("</a><H1>Command Syntax:</H1><i>channel(s)</i>@<i>level</i><BR><h2>Keys "
                        "to select channels:</h2><table border=1>"),
              std::string::npos);
    // Double spaces and mixed tag case are part of the text.
    EXPECT_NE(page.find("<TD>E or e or -  (hyphen or minus)</TD></TR></TABLE>Enter digits"),
              std::string::npos);
    EXPECT_NE(page.find("as well.<H2>Keys  to set levels:</H2><TABLE border=1>"),
              std::string::npos);
    EXPECT_NE(page.find("<B>3/9@</B> Enter - sets channels 3,4,5,6,7,8, and 9  to 100%<p>"),
              std::string::npos);
    const std::string end =
        "<B>1/7-4/6@3</B> Enter  - sets channels 1, 2, 3, and 7 to 30%<p></body></html>";
    EXPECT_EQ(page.substr(page.size() - end.size()), end);
    EXPECT_EQ(page.find("\r\n", start.size()), std::string::npos);
}

TEST(PageBeforeBodyEnd, DropsFromTheFirstBodyEndInAnyCase) {
    EXPECT_EQ(server::pageBeforeBodyEnd("<p>a</p>\r\n</body>\r\n</html>\r\n"), "<p>a</p>\r\n");
    EXPECT_EQ(server::pageBeforeBodyEnd("a</BoDy>b</BODY>c"), "a");
    EXPECT_EQ(server::pageBeforeBodyEnd("no tag here"), "no tag here");
    EXPECT_EQ(server::pageBeforeBodyEnd(""), "");
}

}  // namespace
