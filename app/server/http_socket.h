#pragma once
// A small HTTP/1.0 client on the framework's TCP socket. Its one operation is the synchronous page
// fetch: Get waits for the page, polling the socket itself, and gives up after a spell of silence.

#include <cstdint>
#include <string>

#include "network/tcp.h"
#include "platform/events.h"
#include "server/http_headers.h"

class HTTPSocket {
  public:
    HTTPSocket();
    HTTPSocket(const HTTPSocket&) = delete;
    HTTPSocket& operator=(const HTTPSocket&) = delete;

    // Fetches the URL ("host[:port][/path]", any scheme is ignored) and returns the body that
    // arrived: the whole page, or what came before a time-out or an error. timeoutSeconds is the
    // longest silence allowed; 0 or less waits without limit.
    std::string Get(const std::string& url, int32_t timeoutSeconds);

    // 0, the socket's error code, or -1 after a time-out.
    int32_t ErrorCode() const { return mErrorCode; }
    int32_t HTTPStatusCode() const { return _httpStatusCode; }
    const http::HttpHeaders& PageHeaders() const { return _pageHeaders; }

    http::HttpHeaders requestHeaders;
    int32_t defaultPort = 80;
    // While waiting, let the application handle its other events too.
    bool yield = false;
    int32_t timeoutSeconds = 0;

  private:
    void _ParseURL(const std::string& url);
    void _ResetVariables();
    void _SendRequest();
    void _HandleNewData();
    void takeHead();
    void appendBody(std::string data);
    void socketConnected();
    void socketError();
    void WaitForPage();
    int64_t deadlineFromNow() const;

    platform::TCPSocket socket_;
    platform::HandlerGate dataGate_;

    std::string _server;
    std::string _path;
    http::HttpHeaders _pageHeaders;
    bool headParsed_ = false;
    // Bytes of the head that arrived before its blank line.
    std::string headBuffer_;
    int32_t _httpStatusCode = 0;
    int32_t _totalLength = 0;
    int32_t _currentLength = 0;
    std::string _pageBuffer;
    bool _pageComplete = false;
    bool _connectionValid = false;
    // Every byte that arrived, head included: any of them shows the server is still there.
    uint64_t bytesReceived_ = 0;
    int32_t mErrorCode = 0;
};
