#pragma once
#include <array>
#include <QStringList>
#include "store/reminderrecord.h"

// The lines of the all-settings listing for records 1, 2, 3.
namespace listing {
QStringList lines(const std::array<ReminderRecord, 3>& records);
}
