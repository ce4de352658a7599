// libFuzzer target: any text through the typed-time parse.
#include "platform/datetime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const auto t = datetime::parseTimeText(text)) {
        if (!t->isValid() || datetime::hhmmAmPm(*t).size() != 8)
            __builtin_trap();
    }
    return 0;
}
