#include "server/http_socket.h"

#include "server/http_request.h"
#include "server/http_response_head.h"
#include "server/http_url.h"

namespace {

constexpr int64_t ticksPerSecond = 60;

}  // namespace

HTTPSocket::HTTPSocket() {
    requestHeaders.set("Accept", "*/*");
    requestHeaders.set("Accept-Language", "en");
    socket_.Connected = [this] { socketConnected(); };
    socket_.DataAvailable = [this] { dataGate_.run([this] { _HandleNewData(); }); };
    socket_.Error = [this] { socketError(); };
}

std::string HTTPSocket::Get(const std::string& url, int32_t timeout) {
    timeoutSeconds = timeout;
    // A failed connection must not hand back the page of an earlier fetch.
    _ResetVariables();
    _ParseURL(url);
    socket_.Connect();
    mErrorCode = socket_.LastErrorCode();
    // A connection that fails at once ends the fetch before any event.
    if (mErrorCode == 0) WaitForPage();
    socket_.Close();
    _connectionValid = false;
    return _pageBuffer;
}

void HTTPSocket::_ParseURL(const std::string& url) {
    http::UrlParts parts = http::parseURL(url, defaultPort);
    _server = parts.server;
    _path = parts.path;
    socket_.Address = parts.address;
    socket_.Port = parts.port;
}

void HTTPSocket::_ResetVariables() {
    _pageBuffer.clear();
    _pageHeaders.clear();
    headParsed_ = false;
    headBuffer_.clear();
    _httpStatusCode = 0;
    _totalLength = 0;
    _currentLength = 0;
    _pageComplete = false;
}

void HTTPSocket::_SendRequest() {
    socket_.Write(http::buildRequest("GET", _server, _path, requestHeaders));
}

void HTTPSocket::socketConnected() {
    _connectionValid = true;
    _ResetVariables();
    _SendRequest();
}

void HTTPSocket::_HandleNewData() {
    std::string data = socket_.ReadAll();
    bytesReceived_ += data.size();
    if (headParsed_) {
        appendBody(std::move(data));
        return;
    }
    headBuffer_ += data;
    takeHead();
}

// Once the blank line is there: the status and headers are taken and the rest starts the body.
void HTTPSocket::takeHead() {
    std::optional<http::ResponseHead> head = http::parseResponseHead(headBuffer_);
    if (!head) return;
    headParsed_ = true;
    _httpStatusCode = head->statusCode;
    _pageHeaders = std::move(head->headers);
    _totalLength = head->contentLength;
    std::string body = headBuffer_.substr(head->bodyOffset);
    headBuffer_.clear();
    appendBody(std::move(body));
}

void HTTPSocket::appendBody(std::string data) {
    _pageBuffer += data;
    _currentLength += static_cast<int32_t>(data.size());
    // A server that announced the length need not be waited for until it closes.
    if (_totalLength > 0 && _currentLength >= _totalLength) _pageComplete = true;
}

void HTTPSocket::socketError() {
    if (!_connectionValid) {
        mErrorCode = socket_.LastErrorCode();
        return;
    }
    // The server closed: what it sent last is taken before the page counts as complete.
    _connectionValid = false;
    if (!socket_.Lookahead().empty()) dataGate_.run([this] { _HandleNewData(); });
    _pageComplete = true;
}

int64_t HTTPSocket::deadlineFromNow() const {
    return platform::Ticks() + static_cast<int64_t>(timeoutSeconds) * ticksPerSecond;
}

void HTTPSocket::WaitForPage() {
    _pageComplete = false;
    mErrorCode = 0;
    int64_t deadline = deadlineFromNow();
    bool lastConnectionValid = _connectionValid;
    uint64_t lastBytesReceived = bytesReceived_;
    while (!_pageComplete && mErrorCode == 0) {
        socket_.Poll();
        if (yield) platform::yieldToBackgroundTasks();
        if (_connectionValid != lastConnectionValid || bytesReceived_ != lastBytesReceived) {
            lastConnectionValid = _connectionValid;
            lastBytesReceived = bytesReceived_;
            deadline = deadlineFromNow();
        }
        if (timeoutSeconds > 0 && platform::Ticks() > deadline) {
            socket_.Close();
            mErrorCode = -1;
        }
    }
}
