#pragma once
// The main window: the command pipeline's state, the listening socket, the serial port to the DMX
// interface and the status labels. Its methods live with the subsystem they belong to:
//   command/  lexTokens, dispTokens, parseCommand, parseTokens
//   server/   newListener, sendHelp, checkNetwork and the TCPSocket1 events
//   dmx/      Serial1_DataAvailable, Serial1_StateChanged
//   ui/       the open handler (start-up), the close handler and the menu commands

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "platform/menus.h"
#include "platform/serial.h"
#include "platform/tcp.h"
#include "platform/window.h"

namespace command {
class Console;
}

class Window1 : public platform::Window {
    // Made with the window, before the references into it below.
    std::unique_ptr<command::Console> ownConsole_;

  public:
    Window1();
    ~Window1() override;

    // The console model (command/console.h): the labels, the history and the level views and the
    // outputs follow it.
    command::Console& console;
    // Lexer and parser state, kept in the console.
    std::vector<std::string>& tokens;
    std::string& token;
    std::vector<int32_t>& chanArray;
    int32_t ServerPort = 80;
    std::string CRLF;
    bool& DMXlevels;

    platform::ServerSocket TCPSocket1;
    platform::Serial Serial1;

    platform::StaticText StaticText1{"StaticText1", "Not connected"};
    platform::StaticText lblQuery{"lblQuery", "Command"};
    platform::StaticText StaticText2{"StaticText2", "LAN IP Address:"};
    platform::StaticText lblIPaddr{"lblIPaddr", "none"};
    platform::StaticText lblHostName{"lblHostName", "none"};
    platform::StaticText lblWANaddr{"lblWANaddr", "WAN IP Address:"};
    platform::StaticText lblResults{"lblResults", "Results"};
    platform::StaticText lblTokens{"lblTokens", "Tokens"};
    platform::StaticText StaticText3{"StaticText3", "Socket Port:"};
    platform::StaticText lblIPort{"lblIPort", "none"};
    // Captions of the layout only: they say what the status labels beside them show.
    platform::StaticText captionStatus{"captionStatus", "Status:"};
    platform::StaticText captionQuery{"captionQuery", "Command:"};
    platform::StaticText captionTokens{"captionTokens", "Tokens:"};
    platform::StaticText captionResults{"captionResults", "Channels @ level:"};
    // Each DMX output (the USB interface, sACN, Art-Net), where it sends and how it is doing, one a
    // line.
    platform::StaticText captionOutputs{"captionOutputs", "Outputs:"};
    platform::StaticText lblOutputs{"lblOutputs", "none"};

    // Command language.
    void lexTokens(std::string_view character);
    void dispTokens();
    void parseCommand();
    void parseTokens(const std::vector<std::string>& statement);

    // Command server.
    void newListener();
    void sendHelp(platform::TCPSocket& socket);
    void checkNetwork();
    void TCPSocket1_Connected(platform::TCPSocket& socket);
    void TCPSocket1_DataAvailable(platform::TCPSocket& socket);
    void TCPSocket1_SendComplete(platform::TCPSocket& socket, bool aborted);
    void TCPSocket1_Error(int32_t code);

    // DMX interface.
    void Serial1_DataAvailable();
    void Serial1_StateChanged(platform::PortState before);

    // Desktop shell.
    void Open() override;
    bool CancelClose() override;
    void closeBoxClicked() override;
    const platform::MenuItem* menuBar() const override;
    // Wires the menu commands of the menu bar to this window's handlers.
    void registerMenuHandlers();
    void Untitled() {}
};

// The launch (or a test) adopts the main window; nothing else may create it.
template <>
inline constexpr bool platform::adoptedOnly<Window1> = true;
