#pragma once
#include <optional>
#include <QString>

// Test seam for a failing disk: the next data-file write fails with this reason
// before anything is replaced.
namespace writefault {
void failNext(const QString& reason);
std::optional<QString> take();
}
