#include "app/endsignals.h"

#include <csignal>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <sys/socket.h>
#include <unistd.h>

namespace endsignals {

namespace {
int g_pipe[2] = {-1, -1};

void onUnixSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(g_pipe[0], &byte, 1);
}
}  // namespace

void install(std::function<void()> onSignal)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0)
        return;
    auto* notifier =
        new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, onSignal] {
        char byte;
        [[maybe_unused]] const auto n = ::read(g_pipe[1], &byte, 1);
        notifier->setEnabled(false);
        onSignal();
    });
    struct sigaction action {};
    action.sa_handler = onUnixSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

}  // namespace endsignals
