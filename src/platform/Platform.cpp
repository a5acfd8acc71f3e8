#include "platform/Platform.h"

#include <QtGlobal>

namespace {
Platform* current = nullptr;
}

Platform& platform() {
    Q_ASSERT_X(current, "platform()", "no platform installed");
    return *current;
}

void setPlatform(Platform* p) {
    current = p;
}
