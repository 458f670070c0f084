#include "platform/events.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSocketNotifier>
#include <csignal>
#include <cstdlib>

#include "event_loop/owned_timer.h"
#include "platform/platform_state.h"
#include "platform/widget_view.h"
#include "platform/window.h"

namespace platform {

namespace {

// The moment the program started, taken once and never changed.
QElapsedTimer& clock() {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}

void showMessageBox(const std::string& text) {
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Brannic Webserver"),
                                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                                QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

}  // namespace

struct Application::Impl {
    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<WindowViewHost> viewHost;
};

Application::Application(int& argc, char** argv, bool headless) : impl_(std::make_unique<Impl>()) {
    clock();
    // A reader that went away (a closed pipe or socket) shows as EPIPE from the write, never as a
    // signal that ends the program.
    std::signal(SIGPIPE, SIG_IGN);
    if (headless || !displayAvailable()) {
        // Qt's own poll loop rather than GLib's: GLib wakes itself through its eventfd whenever a
        // descriptor is watched or dropped, which is twice for every connection.
        qputenv("QT_NO_GLIB", "1");
        impl_->app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        impl_->app = std::make_unique<QApplication>(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        impl_->viewHost = makeWidgetViewHost();
        setWindowViewHost(impl_->viewHost.get());
    }
}

Application::~Application() {
    // Every widget goes while the application still exists; windows live on without views.
    setWindowViewHost(nullptr);
}

int Application::run() {
    return QCoreApplication::exec();
}

void Application::quit(int exitCode) {
    QCoreApplication::exit(exitCode);
}

bool Application::headless() {
    // Only a desktop application is a QApplication; before any, nothing can be shown either.
    return !qobject_cast<QApplication*>(QCoreApplication::instance());
}

bool Application::displayAvailable() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

namespace {
// A global by need: the signal handler can reach nothing else.
int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    char byte = 1;
    [[maybe_unused]] ssize_t written = ::write(signalPipe[1], &byte, 1);
}
}  // namespace

void quitOnTerminationSignals() {
    // The handler only writes to a pipe; the event loop reads it and quits in its own time.
    if (signalPipe[0] >= 0 || ::pipe(signalPipe) != 0) return;
    auto* notifier =
        new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] { Application::quit(0); });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void ignoreHangups() {
    std::signal(SIGHUP, SIG_IGN);
}

void openClosedStandardStreams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1) continue;
        // open takes the lowest free number, which is this one.
        int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) ::close(opened);
    }
}

void yieldToBackgroundTasks() {
    // Letting events run costs far more than a lexer step, so a long loop hands over at most once
    // every few milliseconds; that is still prompt for sockets and timers.
    qint64 now = clock().elapsed();
    if (now - state.lastYieldMs < 4) return;
    state.lastYieldMs = now;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
}

void post(std::function<void()> fn) {
    callLater(*QCoreApplication::instance(), 0, std::move(fn));
}

struct PostedCalls::Impl {
    QObject owner;
};

PostedCalls::PostedCalls() : impl_(std::make_unique<Impl>()) {}
PostedCalls::~PostedCalls() = default;

void PostedCalls::post(std::function<void()> fn) {
    // A posted event rather than a zero timer: nothing is made and freed per call.
    QMetaObject::invokeMethod(&impl_->owner, std::move(fn), Qt::QueuedConnection);
}

void singleShot(int milliseconds, std::function<void()> fn) {
    callLater(*QCoreApplication::instance(), milliseconds, std::move(fn));
}

int64_t Ticks() {
    return clock().elapsed() * 60 / 1000;
}

void MsgBox(const std::string& text) {
    auto& log = state.messageLog;
    log.push_back(text);
    if (log.size() > 100) log.erase(log.begin());
    if (state.messageSink) {
        state.messageSink(text);
    } else if (!Application::headless()) {
        showMessageBox(text);
    }
}

void setMessageSink(std::function<void(const std::string&)> sink) {
    state.messageSink = std::move(sink);
}

const std::vector<std::string>& messageLog() {
    return state.messageLog;
}

void clearMessageLog() {
    state.messageLog.clear();
}

int Screen::AvailableWidth() {
    QScreen* screen = Application::headless() ? nullptr : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().width() : 1024;
}

int Screen::AvailableHeight() {
    QScreen* screen = Application::headless() ? nullptr : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().height() : 768;
}

}  // namespace platform
