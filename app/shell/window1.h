#pragma once
// The main window: the command pipeline's state, the listening socket, the USB DMX interface and
// the status labels. Its methods live with the subsystem they belong to:
//   command/  lexTokens, dispTokens, parseCommand, parseTokens
//   server/   newListener, sendHelp, checkNetwork and the TCPSocket1 events
//   dmx/      Serial1_DataAvailable, Serial1_StateChanged
//   ui/       the open handler (start-up), the close handler and the menu commands

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "network/tcp.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "platform/menus.h"
#include "platform/serial.h"
#include "platform/timer.h"
#include "platform/window.h"

namespace command {
class Console;
}
namespace dmx {
class OutputList;
class OutputStates;
class UsbProInterface;
}  // namespace dmx
namespace fixtures {
class Library;
}
namespace netdmx {
class NetworkOutputs;
}
namespace osc {
class OscInput;
}
namespace server {
class EventStreams;
class LiveShow;
}  // namespace server
namespace show {
class ShowControl;
class ShowStore;
}  // namespace show
namespace status {
class StatusModel;
enum class Source;
}  // namespace status

class Window1 : public platform::Window {
    // Made with the window, before the references into it below. The status model and the
    // status list first: the others report to them until they go.
    std::unique_ptr<status::StatusModel> ownStatus_;
    std::unique_ptr<dmx::OutputStates> ownOutputStates_;
    std::unique_ptr<command::Console> ownConsole_;
    std::unique_ptr<dmx::UsbProInterface> ownInterface_;
    std::unique_ptr<netdmx::NetworkOutputs> ownNetworkOutputs_;
    std::unique_ptr<dmx::OutputList> ownOutputs_;
    std::unique_ptr<server::EventStreams> ownEventStreams_;
    size_t outputsLabelWatcher_;
    std::unique_ptr<show::ShowControl> ownShow_;
    // What the event streams hear of the show.
    std::unique_ptr<server::LiveShow> ownLiveShow_;
    // The fixture library: its folders are named at launch; nothing is read until it is used.
    std::unique_ptr<fixtures::Library> ownFixtureLibrary_;
    std::unique_ptr<osc::OscInput> ownOscInput_;
    // The show file, from the first time show control is on in a run.
    std::unique_ptr<show::ShowStore> showStore_;

  public:
    Window1();
    ~Window1() override;

    // What the program says of itself (status/status_model.h): the status labels below, the
    // interface dialog and the headless journal show it.
    status::StatusModel& status;
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
    // Show control (show/show_control.h): every command line goes through it; off, it hands each
    // to the console.
    show::ShowControl& showControl;

    platform::ServerSocket TCPSocket1;
    // The live read-back's streams, taken over from the listener's connections.
    server::EventStreams& eventStreams;
    // A listener that could not open its port tries again when this fires.
    platform::Timer relistenTimer;
    // The network check lets other events run, and one of them may ask for a new check: it waits
    // until this one is done, so two checks never interleave their lines in the same labels.
    platform::HandlerGate checkNetworkGate;

    // What each output is doing (dmx/output_status.h): this window, the headless console and the
    // live read-back show it.
    dmx::OutputStates& outputStates;
    // The USB DMX interface (dmx/usbpro_interface.h), one of the outputs; Serial1 is its port.
    dmx::UsbProInterface& DMXinterface;
    platform::Serial& Serial1;
    // sACN and Art-Net (netdmx/network_output.h), started by the launch and the network dialog.
    netdmx::NetworkOutputs& networkOutputs;
    // The outputs the universe goes to after every command line (dmx/output.h).
    dmx::OutputList& outputs;
    // The fixture definitions (fixtures/library.h) that patch lines and the library page search.
    fixtures::Library& fixtureLibrary;
    // OSC messages that drive the console (osc/osc_input.h), started by the launch and its dialog.
    osc::OscInput& oscInput;

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
    // With show control on: the current cue, and the grand master and blackout.
    platform::StaticText captionShow{"captionShow", "Show:"};
    platform::StaticText lblCue{"lblCue", ""};
    platform::StaticText lblMaster{"lblMaster", ""};
    // The label that shows a source of the status model; none for the interface dialog's.
    platform::StaticText* statusLabel(status::Source source);

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
    // connection lives as long as the socket: a reply that waited its turn checks it is there.
    void TCPSocket1_DataAvailable(platform::TCPSocket& socket,
                                  const std::shared_ptr<const void>& connection);
    void TCPSocket1_SendComplete(platform::TCPSocket& socket, bool aborted);
    void TCPSocket1_Error(int32_t code);

    // DMX interface: what DMXinterface tells, shown. The interface's reply, as the interface
    // dialog shows it ("OK, Firmware: ...").
    void Serial1_DataAvailable(const std::string& firmwareText);
    // The port was lost, is waited for or came back.
    void Serial1_StateChanged(const std::string& statusLine);

    // Desktop shell.
    void Open() override;
    bool CancelClose() override;
    void closeBoxClicked() override;
    const platform::MenuItem* menuBar() const override;
    // Wires the menu commands of the menu bar to this window's handlers.
    void registerMenuHandlers();
    // Hands each dialog, as it is made, what of this window it works on (ui/dialog_wiring.cpp);
    // unwired, the dialogs go with this window.
    void wireDialogs();
    void unwireDialogs();
    // Show control on or off, with its check mark; on brings the live read-back with it, off
    // leaves the read-back as its own switch says.
    void setShowControl(bool on);
    // The show file's show back on stage, and every change of the show kept in it; once a run.
    void keepShow();
    // Writes a change of the show that waits (at quit).
    void flushShow();
    // Patch lines and the show file find fixture definitions in the library.
    void useFixtureLibrary();
    // One status line for each damaged fixture file found since the last call.
    void tellDamagedFixtureFiles();
    void Untitled() {}
};

// The launch (or a test) adopts the main window; nothing else may create it.
template <>
inline constexpr bool platform::adoptedOnly<Window1> = true;
