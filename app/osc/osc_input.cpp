#include "osc/osc_input.h"

#include <memory>

#include "command/console.h"
#include "dmx/output_status.h"
#include "network/osc_socket.h"
#include "network/socket_address.h"
#include "network/udp.h"
#include "osc/fault_reports.h"
#include "osc/respond.h"
#include "platform/timer.h"
#include "settings/extra_settings.h"
#include "show/show_control.h"

namespace osc {

namespace {

constexpr const char* statusName = "OSC";

}  // namespace

class Listening {
  public:
    Listening(const InputPlan& plan, command::Console& console, show::ShowControl& showControl,
              dmx::OutputStates& states, OscInput::Note note)
        : console_(console),
          showControl_(showControl),
          states_(states),
          note_(std::move(note)),
          plan_(plan),
          gate_(plan.allowed, Module1::requireLogin),
          gateLogin_(Module1::requireLogin),
          faultTimer_([this] { reportHeldFaults(); }) {
        const std::string target = "udp port " + std::to_string(*plan.settings.port);
        const std::string error = socket_->open(*plan.settings.port);
        states_.report({statusName, target, error.empty() ? "listening" : "error: " + error});
        socket_->received = [this](const platform::OscMessage& message,
                                   const platform::OscSender& sender) {
            received(message, sender);
            return platform::OscReply{};
        };
        socket_->faulted = [this](platform::OscFault fault) { faulted(fault); };
        socket_->wakeDone = [this] { console_.releaseLevels(); };
        if (error.empty()) noteIfClosed();
    }
    ~Listening() { states_.remove(statusName); }

  private:
    // Replied from the action's completion: at once when the console was free, else when the
    // action's turn came; by then the input may have stopped, and the reply is not sent.
    void received(const platform::OscMessage& message, const platform::OscSender& sender) {
        followLogin();
        // A flood sends one frame a wake, not one a message.
        console_.holdLevels();
        std::weak_ptr<platform::OscSocket> socket = socket_;
        respond(
            message, sender, platform::steadyMs(), gate_, showControl_.on(),
            [this](show::ConsoleAction action, std::string source, show::ActionQueue::Done done) {
                showControl_.submit(std::move(action), std::move(source), std::move(done));
            },
            [socket, sender](const platform::OscReply& reply) {
                if (auto open = socket.lock()) open->reply(sender, reply);
            });
    }

    // The web login may be turned on or off at any time: the gate follows at the next message.
    void followLogin() {
        if (gateLogin_ == Module1::requireLogin) return;
        gateLogin_ = Module1::requireLogin;
        gate_ = SenderGate(plan_.allowed, gateLogin_);
        noteIfClosed();
    }

    void noteIfClosed() {
        if (auto closed = gate_.closedNote()) note_(*closed);
    }

    void faulted(platform::OscFault fault) {
        if (auto line = faults_.count(fault, platform::steadyMs())) {
            note_(*line);
        } else {
            faultTimer_.start(int(FaultReports::intervalMs));
        }
    }

    void reportHeldFaults() {
        for (const std::string& line : faults_.due(platform::steadyMs())) note_(line);
        if (faults_.holding()) faultTimer_.start(int(FaultReports::intervalMs));
    }

    command::Console& console_;
    show::ShowControl& showControl_;
    dmx::OutputStates& states_;
    OscInput::Note note_;
    InputPlan plan_;
    SenderGate gate_;
    bool gateLogin_;
    FaultReports faults_;
    platform::Timer faultTimer_;
    std::shared_ptr<platform::OscSocket> socket_ = std::make_shared<platform::OscSocket>();
};

std::string planInput(const OscSettings& settings, InputPlan& plan) {
    std::vector<std::string> allowed;
    for (const std::string& host : settings.allow) {
        // A sender may come by IPv4 or IPv6: every address of the host is taken.
        std::vector<std::string> addresses = platform::hostAddresses(host);
        if (addresses.empty()) return "the host \"" + host + "\" does not resolve";
        allowed.insert(allowed.end(), addresses.begin(), addresses.end());
    }
    plan = InputPlan{settings, std::move(allowed)};
    return {};
}

InputRun planInputThisRun(const OscSettings& overrides) {
    InputRun run;
    ReadOscSettings saved = readOscSettings(Module1::extraSettings);
    if (!saved.error.empty()) run.warning = "brannic-webserver.conf: " + saved.error;
    std::string problem = planInput(withOverrides(saved.settings, overrides), run.plan);
    if (problem.empty()) return run;
    if (!overrides.allow.empty()) {
        run.error = problem;
    } else {
        run.warning = "OSC off: " + problem;
    }
    run.plan = InputPlan{};
    return run;
}

OscInput::OscInput(command::Console& console, show::ShowControl& showControl,
                   dmx::OutputStates& states, Note note)
    : console_(console), showControl_(showControl), states_(states), note_(std::move(note)) {}

OscInput::~OscInput() = default;

void OscInput::start(const InputPlan& plan) {
    listening_.reset();
    if (plan.settings.port)
        listening_ = std::make_unique<Listening>(plan, console_, showControl_, states_, note_);
    settings_ = plan.settings;
}

void OscInput::stop() {
    listening_.reset();
    settings_ = {};
}

}  // namespace osc
