#pragma once
#include <functional>

// SIGTERM, SIGINT and SIGHUP end the program through the event loop, never
// inside the signal handler.
namespace endsignals {
void install(std::function<void()> onSignal);
}
