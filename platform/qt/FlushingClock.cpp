#include "platform/qt/FlushingClock.h"

#include "platform/qt/QtDrawingContext.h"

namespace platform {

void FlushingClock::Sleep(unsigned milliseconds) {
    QtDrawingContext::FlushAll();
    inner_.Sleep(milliseconds);
}

}  // namespace platform
