#include "store/fileslot.h"

#include <stdexcept>

bool FileSlot::s_busy = false;

FileSlot::FileSlot()
{
    if (s_busy)
        throw std::logic_error("file slot 1 is already open");
    s_busy = true;
}

FileSlot::~FileSlot() { s_busy = false; }

bool FileSlot::busy() { return s_busy; }
