#include "shell/window1.h"

#include "command/console.h"
#include "dmx/level_view.h"
#include "dmx/output.h"
#include "dmx/output_status.h"
#include "dmx/usbpro_interface.h"
#include "fixtures/library.h"
#include "netdmx/network_output.h"
#include "osc/osc_input.h"
#include "server/connection_policy.h"
#include "server/live_show.h"
#include "server/live_streams.h"
#include "shell/aux_windows.h"
#include "shell/menubar.h"
#include "show/program_clock.h"
#include "show/show_control.h"
#include "show/show_store.h"
#include "status/status_model.h"

namespace {

std::string outputLines(const dmx::OutputStates& states) {
    std::string text;
    for (const dmx::OutputState& output : states.all())
        text +=
            (text.empty() ? "" : "\n") + output.name + " " + output.target + ": " + output.state;
    return text.empty() ? "none" : text;
}

// The labels, the history and level views and the outputs follow the console. The views are made
// by their first change: the level view comes up with the first command line.
void followConsole(Window1& window) {
    command::Console& console = window.console;
    console.watch([&window, &console](command::Console::Change change) {
        using Change = command::Console::Change;
        switch (change) {
            case Change::query:
                window.lblQuery.setCaption(console.query());
                break;
            case Change::tokens:
                window.lblTokens.setCaption(console.tokensText());
                break;
            case Change::results:
                window.lblResults.setCaption(console.results());
                break;
            case Change::history:
                platform::Implicit<winHistory>::instance().EditField1.setText(console.history());
                break;
            case Change::levels:
                // The frame goes first: on the desktop, laying out the level view takes
                // milliseconds.
                window.outputs.send(console.levels());
                platform::Implicit<WinLevels>::instance().EditField1.setText(
                    dmx::levelViewText(console.levels()));
                break;
            case Change::line:
            case Change::channel:
                break;
        }
    });
}

}  // namespace

Window1::Window1()
    : platform::Window("Brannic Webserver", 520, 280, false),
      ownStatus_(std::make_unique<status::StatusModel>()),
      ownOutputStates_(std::make_unique<dmx::OutputStates>()),
      ownConsole_(std::make_unique<command::Console>()),
      ownInterface_(std::make_unique<dmx::UsbProInterface>(*ownOutputStates_)),
      ownNetworkOutputs_(std::make_unique<netdmx::NetworkOutputs>(*ownOutputStates_)),
      ownOutputs_(std::make_unique<dmx::OutputList>()),
      ownEventStreams_(std::make_unique<server::EventStreams>(*ownOutputStates_)),
      outputsLabelWatcher_(ownOutputStates_->watch(
          [this](const dmx::OutputState&) { lblOutputs.setCaption(outputLines(outputStates)); })),
      // The labels are only named here; they are made before the show first writes to them.
      ownShow_(std::make_unique<show::ShowControl>(
          *ownConsole_, *ownOutputs_, *ownStatus_, show::ShowLabels{captionShow, lblCue, lblMaster},
          std::make_unique<show::ProgramClock>())),
      ownLiveShow_(std::make_unique<server::LiveShow>(*ownShow_, *ownConsole_, *ownEventStreams_)),
      ownFixtureLibrary_(
          std::make_unique<fixtures::Library>(fixtures::libraryFolders(Module1::fixtureFolders))),
      ownOscInput_(std::make_unique<osc::OscInput>(*ownConsole_, *ownShow_, *ownOutputStates_,
                                                   [this](const std::string& line) {
                                                       status.addEvent(status::Source::statusLine,
                                                                       line, platform::steadyMs());
                                                   })),
      status(*ownStatus_),
      console(*ownConsole_),
      tokens(console.tokens),
      token(console.token),
      chanArray(console.chanArray),
      DMXlevels(console.DMXlevels),
      showControl(*ownShow_),
      eventStreams(*ownEventStreams_),
      relistenTimer([this] { newListener(); }),
      outputStates(*ownOutputStates_),
      DMXinterface(*ownInterface_),
      Serial1(DMXinterface.port()),
      networkOutputs(*ownNetworkOutputs_),
      outputs(*ownOutputs_),
      fixtureLibrary(*ownFixtureLibrary_),
      oscInput(*ownOscInput_) {
    showControl.setLiveListener(ownLiveShow_.get());
    useFixtureLibrary();
    place(captionStatus, 0, 0);
    place(StaticText1, 0, 1);
    place(captionQuery, 1, 0);
    place(lblQuery, 1, 1);
    place(captionTokens, 2, 0);
    place(lblTokens, 2, 1);
    place(captionResults, 3, 0);
    place(lblResults, 3, 1);
    place(StaticText3, 4, 0);
    place(lblIPort, 4, 1);
    place(StaticText2, 5, 0);
    place(lblIPaddr, 5, 1);
    place(lblWANaddr, 6, 0);
    place(lblHostName, 6, 1);
    place(captionOutputs, 7, 0);
    place(lblOutputs, 7, 1);
    place(captionShow, 8, 0);
    place(lblCue, 8, 1);
    place(lblMaster, 9, 1);
    lblWANaddr.setVisible(false);
    for (platform::StaticText* label : {&captionShow, &lblCue, &lblMaster})
        label->setVisible(false);
    lblOutputs.setCaption(outputLines(outputStates));
    // Each label shows the newest entry of its source.
    status.watch([this](const status::Entry& entry, bool) {
        if (platform::StaticText* label = statusLabel(entry.source)) label->setCaption(entry.text);
    });

    TCPSocket1.Connected = [this](platform::TCPSocket& socket) {
        socket.DataAvailable = [this, &socket, connection = std::make_shared<const char>()] {
            TCPSocket1_DataAvailable(socket, connection);
        };
        socket.SendComplete = [this, &socket](bool aborted) {
            TCPSocket1_SendComplete(socket, aborted);
        };
        socket.Error = [this, &socket] { TCPSocket1_Error(socket.LastErrorCode()); };
        TCPSocket1_Connected(socket);
    };
    TCPSocket1.Error = [this] { TCPSocket1_Error(TCPSocket1.LastErrorCode()); };
    server::applyConnectionPolicy(TCPSocket1);
    DMXinterface.parametersRead = [this](const std::string& text) { Serial1_DataAvailable(text); };
    DMXinterface.statusLine = [this](const std::string& line) { Serial1_StateChanged(line); };
    registerMenuHandlers();
    wireDialogs();
    followConsole(*this);
    // The interface first: its frame is written at once; the network outputs keep their own
    // schedule.
    outputs.add(DMXinterface);
    outputs.add(networkOutputs);
}

platform::StaticText* Window1::statusLabel(status::Source source) {
    using status::Source;
    const std::pair<Source, platform::StaticText*> labels[] = {{Source::statusLine, &StaticText1},
                                                               {Source::serverPort, &lblIPort},
                                                               {Source::lanAddresses, &lblIPaddr},
                                                               {Source::wanAddresses, &lblHostName},
                                                               {Source::cue, &lblCue},
                                                               {Source::master, &lblMaster}};
    for (const auto& [shown, label] : labels) {
        if (shown == source) return label;
    }
    return nullptr;
}

Window1::~Window1() {
    unwireDialogs();
    showControl.setLiveListener(nullptr);
    // The streams' sockets belong to the listener, which goes with this window.
    eventStreams.closeAll();
    // The outputs tell the status list of their end while the label that shows it is still here.
    networkOutputs.stop();
    oscInput.stop();
    Serial1.Close();
    outputStates.unwatch(outputsLabelWatcher_);
    for (const auto& menu : MenuBar1().children()) {
        for (const auto& item : menu->children()) item->handler = nullptr;
    }
}
