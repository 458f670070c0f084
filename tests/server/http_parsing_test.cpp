#include <gtest/gtest.h>

#include "server/http_headers.h"
#include "server/http_request.h"
#include "server/http_response_head.h"
#include "server/http_url.h"

namespace {

using http::HttpHeaders;
using http::parseResponseHead;
using http::parseURL;

TEST(HttpUrl, SplitsHostPortAndPath) {
    http::UrlParts plain = parseURL("example.org", 80);
    EXPECT_EQ(plain.server, "example.org");
    EXPECT_EQ(plain.path, "/");
    EXPECT_EQ(plain.address, "example.org");
    EXPECT_EQ(plain.port, 80);

    http::UrlParts withPort = parseURL("http://host.test:8080/ip.php?x=1", 80);
    EXPECT_EQ(withPort.server, "host.test:8080");
    EXPECT_EQ(withPort.path, "/ip.php?x=1");
    EXPECT_EQ(withPort.address, "host.test");
    EXPECT_EQ(withPort.port, 8080);

    EXPECT_EQ(parseURL("host.test/", 80).path, "/");
    EXPECT_EQ(parseURL("ftp://a/b/c", 80).path, "/b/c");
}

TEST(HttpUrl, PortThatIsNoNumberFallsBackToTheDefault) {
    EXPECT_EQ(parseURL("host:/x", 81).port, 81);
    EXPECT_EQ(parseURL("host:abc/x", 81).port, 81);
    EXPECT_EQ(parseURL("host:0", 81).port, 81);
    EXPECT_EQ(parseURL("host:abc/x", 81).address, "host");
}

TEST(HttpHeaders, KeepsOrderAndMatchesNamesWithoutCase) {
    HttpHeaders headers;
    headers.set("Accept", "*/*");
    headers.set("Accept-Language", "en");
    headers.set("ACCEPT", "text/plain");
    ASSERT_EQ(headers.entries().size(), 2u);
    EXPECT_EQ(headers.entries()[0], (HttpHeaders::Entry{"Accept", "text/plain"}));
    EXPECT_EQ(headers.value("accept-language"), "en");
    headers.remove("accept");
    EXPECT_FALSE(headers.has("Accept"));
    EXPECT_EQ(headers.value("Accept"), "");
}

TEST(HttpRequest, GetCarriesHostAndNoBodyHeaders) {
    HttpHeaders headers;
    headers.set("Accept", "*/*");
    headers.set("Content-Type", "text/plain");
    headers.set("Content-Length", "4");
    EXPECT_EQ(http::buildRequest("", "host:8080", "/ip.php", headers),
              "GET /ip.php HTTP/1.0\r\nAccept: */*\r\nHost: host:8080\r\n\r\n");
    EXPECT_FALSE(headers.has("Content-length"));

    HttpHeaders post;
    post.set("Content-length", "4");
    EXPECT_EQ(http::buildRequest("POST", "h", "/", post),
              "POST / HTTP/1.0\r\nContent-length: 4\r\nHost: h\r\n\r\n");
}

TEST(HttpResponseHead, UnderstandsEachLineEndStyle) {
    for (std::string_view end : {"\r\n", "\n", "\r"}) {
        std::string response = "HTTP/1.0 200 OK" + std::string(end) + "Server: t" +
                               std::string(end) + "Content-Length: 5" + std::string(end) +
                               std::string(end) + "hello";
        auto head = parseResponseHead(response);
        ASSERT_TRUE(head.has_value());
        EXPECT_EQ(head->statusCode, 200);
        EXPECT_EQ(head->headers.value("server"), "t");
        EXPECT_EQ(head->contentLength, 5);
        EXPECT_EQ(response.substr(head->bodyOffset), "hello");
    }
}

TEST(HttpResponseHead, WaitsForTheBlankLine) {
    EXPECT_FALSE(parseResponseHead(""));
    EXPECT_FALSE(parseResponseHead("HTTP/1.0 200 OK"));
    EXPECT_FALSE(parseResponseHead("HTTP/1.0 200 OK\r\nA: b\r\n\r"));
    EXPECT_TRUE(parseResponseHead("HTTP/1.0 200 OK\r\nA: b\r\n\r\n"));
}

TEST(HttpResponseHead, BlankLinesInTheBodyDoNotEndTheHead) {
    // An LF head whose body holds CR LF blank lines, and a CR LF head whose body holds LF ones.
    std::string lfHead = "HTTP/1.0 404 Not Found\nA: 1\n\nline\r\n\r\nmore";
    auto head = parseResponseHead(lfHead);
    ASSERT_TRUE(head);
    EXPECT_EQ(head->statusCode, 404);
    EXPECT_EQ(lfHead.substr(head->bodyOffset), "line\r\n\r\nmore");

    std::string crlfHead = "HTTP/1.0 200 OK\r\nA: 1\r\n\r\n\n\nx";
    head = parseResponseHead(crlfHead);
    ASSERT_TRUE(head);
    EXPECT_EQ(crlfHead.substr(head->bodyOffset), "\n\nx");
}

TEST(HttpResponseHead, OddStatusLinesAndLengths) {
    EXPECT_EQ(parseResponseHead("HTTP/1.0 401 Unauthorized\n\n")->statusCode, 401);
    EXPECT_EQ(parseResponseHead("garbage\n\n")->statusCode, 0);
    EXPECT_EQ(parseResponseHead("HTTP/1.0 200\nContent-length: -3\n\n")->contentLength, 0);
    EXPECT_EQ(parseResponseHead("HTTP/1.0 200\nno colon here\nX:y\n\n")->headers.value("x"), "y");
    EXPECT_EQ(parseResponseHead("\r\n\r\nbody")->bodyOffset, 4u);
}

}  // namespace
