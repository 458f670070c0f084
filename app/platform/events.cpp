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

#include "platform/owned_timer.h"
#include "platform/widget_view.h"

namespace platform {

namespace {

bool headlessMode = true;

QElapsedTimer& clock() {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}

std::function<void(const std::string&)>& messageSink() {
    static std::function<void(const std::string&)> sink;
    return sink;
}

std::vector<std::string>& messages() {
    static std::vector<std::string> log;
    return log;
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
};

Application::Application(int& argc, char** argv, bool headless) : impl_(std::make_unique<Impl>()) {
    clock();
    // A reader that went away (a closed pipe or socket) shows as EPIPE from the write, never as a
    // signal that ends the program.
    std::signal(SIGPIPE, SIG_IGN);
    headlessMode = headless || !displayAvailable();
    if (headlessMode) {
        impl_->app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        impl_->app = std::make_unique<QApplication>(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        installWidgetViewHost();
    }
}

Application::~Application() {
    uninstallWidgetViewHost();
}

int Application::run() {
    return QCoreApplication::exec();
}

void Application::quit(int exitCode) {
    QCoreApplication::exit(exitCode);
}

bool Application::headless() {
    return headlessMode;
}

bool Application::displayAvailable() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

namespace {
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
    static qint64 lastYield = 0;
    qint64 now = clock().elapsed();
    if (now - lastYield < 4) return;
    lastYield = now;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
}

void post(std::function<void()> fn) {
    callLater(*QCoreApplication::instance(), 0, std::move(fn));
}

void singleShot(int milliseconds, std::function<void()> fn) {
    callLater(*QCoreApplication::instance(), milliseconds, std::move(fn));
}

int64_t Ticks() {
    return clock().elapsed() * 60 / 1000;
}

void MsgBox(const std::string& text) {
    auto& log = messages();
    log.push_back(text);
    if (log.size() > 100) log.erase(log.begin());
    if (messageSink()) {
        messageSink()(text);
    } else if (!headlessMode) {
        showMessageBox(text);
    }
}

void setMessageSink(std::function<void(const std::string&)> sink) {
    messageSink() = std::move(sink);
}

const std::vector<std::string>& messageLog() {
    return messages();
}

void clearMessageLog() {
    messages().clear();
}

int Screen::AvailableWidth() {
    QScreen* screen = headlessMode ? nullptr : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().width() : 1024;
}

int Screen::AvailableHeight() {
    QScreen* screen = headlessMode ? nullptr : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().height() : 768;
}

}  // namespace platform
