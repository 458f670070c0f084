// One request per connection: the help page, a command run through the console, or the form page.
#include "command/command_line.h"
#include "dmx/send_dmx.h"
#include "platform/text.h"
#include "server/basic_login.h"
#include "server/entrypoints.h"
#include "server/pages.h"
#include "server/reply.h"
#include "server/request.h"
#include "settings/config.h"
#include "shell/window1.h"

namespace {

bool loginMissing(std::string_view head) {
    if (!Module1::requireLogin) return false;
    std::string expected = Module1::EncodeBase64(Module1::username + ":" + Module1::password, 0);
    return !server::loginAccepted(head, expected);
}

// Runs the command of the request line and gives the reply that shows its outcome.
std::string runCommand(Window1& window, std::string_view requestLine) {
    window.lblQuery.setCaption("");
    std::string value = Module1::DecodeURLComponent(server::queryValue(requestLine));
    std::string commandLine(platform::Trim(value));
    window.lblQuery.setCaption(commandLine);
    command::runCommandLine(window, commandLine);
    Module1::sendDMX();
    return server::commandReply(Module1::pageContent, window.lblTokens.caption(),
                                window.lblResults.caption());
}

}  // namespace

void Window1::sendHelp(platform::TCPSocket& socket) {
    socket.Write(Module1::helpPage());
}

void Window1::TCPSocket1_DataAvailable(platform::TCPSocket& socket) {
    if (server::headTooLong(socket.Lookahead())) {
        socket.Close();
        return;
    }
    size_t length = server::headLength(socket.Lookahead());
    if (length == 0) return;
    std::string head = socket.Read(length);
    if (loginMissing(head)) {
        socket.Write(server::unauthorisedReply);
        return;
    }
    std::string_view line = server::requestLine(head);
    switch (server::classify(line)) {
        case server::RequestKind::help:
            sendHelp(socket);
            return;
        case server::RequestKind::formPage:
            socket.Write(server::pageReply(Module1::pageContent));
            return;
        case server::RequestKind::command:
            socket.Write(runCommand(*this, line));
            return;
    }
}
