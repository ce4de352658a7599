#include "store/writefault.h"

namespace writefault {
namespace {
std::optional<QString> g_reason;
}
void failNext(const QString& reason) { g_reason = reason; }
std::optional<QString> take() { return std::exchange(g_reason, std::nullopt); }
}
