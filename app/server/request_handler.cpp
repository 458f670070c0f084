// One request per connection: the help page, a command run through the console, or the form page;
// with show control on, also the fixture library's search.
#include <chrono>
#include <memory>

#include "command/console.h"
#include "dmx/output_status.h"
#include "fixtures/fixture_json.h"
#include "fixtures/library.h"
#include "fixtures/library_json.h"
#include "platform/text.h"
#include "platform/timer.h"
#include "server/basic_login.h"
#include "server/entrypoints.h"
#include "server/listener_status.h"
#include "server/live_messages.h"
#include "server/live_streams.h"
#include "server/login_throttle.h"
#include "server/pages.h"
#include "server/reply.h"
#include "server/request.h"
#include "settings/config.h"
#include "settings/live_setting.h"
#include "shell/window1.h"
#include "show/line_words.h"
#include "show/show_command.h"
#include "show/show_control.h"
#include "status/status_model.h"

namespace {

bool loginMissing(Window1& window, const platform::TCPSocket& socket, std::string_view head) {
    if (!Module1::requireLogin) return false;
    auto now = std::chrono::steady_clock::now();
    std::string address = socket.RemoteAddress();
    std::string expected = Module1::EncodeBase64(Module1::username + ":" + Module1::password, 0);
    server::LoginThrottle loginThrottle(Module1::loginFailures);
    // A browser's first request carries no credentials: only a given password counts as a try.
    if (!loginThrottle.refuses(address, now) && server::loginAccepted(head, expected)) return false;
    if (!server::basicCredentials(head).empty() && loginThrottle.failed(address, now)) {
        window.status.addEvent(status::Source::statusLine, server::loginsRefusedCaption(address),
                               platform::steadyMs());
    }
    return true;
}

server::CommandOutcome outcomeOf(const command::Console& console) {
    return {console.query(), console.tokensText(), console.results(), console.chanArray};
}

// The command line of the query's raw value. With show control on, in a line of words (a show
// line, or operators spelled out) a "+" is a space, as a browser's form sends it; every other line
// is decoded as it always was.
std::string commandLineOf(std::string_view rawValue, bool showControl) {
    if (showControl) {
        std::string wordLine = Module1::DecodeURLComponent(show::formSpaces(rawValue));
        if (show::hasWord(wordLine)) return std::string(platform::Trim(wordLine));
    }
    return std::string(platform::Trim(Module1::DecodeURLComponent(rawValue)));
}

// The live read-back's "show", "fixtures" and "groups" fields, with show control on.
std::optional<nlohmann::ordered_json> showFields(const Window1& window) {
    if (!window.showControl.on()) return std::nullopt;
    const fixtures::Patch& patch = window.showControl.engine().patch();
    nlohmann::ordered_json fields;
    fields["show"] = window.showControl.json();
    fields["fixtures"] = fixtures::fixturesJson(patch, window.console.levels());
    fields["groups"] = fixtures::groupsJson(patch);
    return fields;
}

// Submits the command of the request line and returns: the server's other clients are heard while
// it waits its turn and runs, and theirs queue behind it as they come. Once it has run, the reply
// that shows its outcome goes to the connection, if it is still there (it may have ended
// meanwhile).
void runCommand(Window1& window, std::string_view requestLine, platform::TCPSocket& socket,
                std::weak_ptr<const void> connection) {
    std::string line = commandLineOf(server::queryValue(requestLine), window.showControl.on());
    auto reply = [&window, &socket, connection](const std::string&) {
        const command::Console& console = window.console;
        if (Module1::liveLevels) {
            window.eventStreams.broadcast(server::commandEvent(
                server::changedLevels(window.showControl.levelsBeforeAction(), console.levels()),
                outcomeOf(console)));
        }
        if (connection.expired()) return;
        socket.Write(
            server::commandReply(Module1::pageContent, console.tokensText(), console.results()));
    };
    socket.ReplyLater();
    window.showControl.submitAndReturn(show::TypedLine{std::move(line)}, socket.RemoteAddress(),
                                       reply);
}

// The live read-back's paths; false for any other request.
bool answerLive(Window1& window, std::string_view requestLine, platform::TCPSocket& socket) {
    switch (server::classifyLive(requestLine)) {
        case server::LiveRequest::levels:
            socket.Write(std::string(server::levelsReplyHead) +
                         server::levelsJson(window.console.levels(), outcomeOf(window.console),
                                            window.outputStates.all(), showFields(window)));
            return true;
        case server::LiveRequest::events:
            window.eventStreams.open(window.TCPSocket1, socket);
            return true;
        case server::LiveRequest::none:
            return false;
    }
    return false;
}

// GET /library?q=WORDS: the fixture types whose names hold every word, as JSON; false for any
// other request. The search that indexes the library tells its damaged files on the status line.
bool answerLibrary(Window1& window, std::string_view requestLine, platform::TCPSocket& socket) {
    std::optional<std::string_view> query = server::libraryQuery(requestLine);
    if (!query) return false;
    std::string words = Module1::DecodeURLComponent(show::formSpaces(*query));
    socket.Write(std::string(server::levelsReplyHead) +
                 fixtures::libraryJson(window.fixtureLibrary.search(words)));
    window.tellDamagedFixtureFiles();
    return true;
}

}  // namespace

void Window1::sendHelp(platform::TCPSocket& socket) {
    socket.Write(Module1::helpPage());
}

void Window1::TCPSocket1_DataAvailable(platform::TCPSocket& socket,
                                       const std::shared_ptr<const void>& connection) {
    if (server::headTooLong(socket.Lookahead())) {
        socket.Close();
        return;
    }
    size_t length = server::headLength(socket.Lookahead());
    if (length == 0) return;
    std::string head = socket.Read(length);
    if (loginMissing(*this, socket, head)) {
        socket.Write(server::unauthorisedReply);
        return;
    }
    std::string_view line = server::requestLine(head);
    if (showControl.on() && answerLibrary(*this, line, socket)) return;
    if (Module1::liveLevels && answerLive(*this, line, socket)) return;
    switch (server::classify(line)) {
        case server::RequestKind::help:
            sendHelp(socket);
            return;
        case server::RequestKind::formPage:
            socket.Write(server::pageReply(Module1::pageContent));
            return;
        case server::RequestKind::command:
            runCommand(*this, line, socket, connection);
            return;
    }
}
