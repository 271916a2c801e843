#include "platform/qt/PostedMessage.h"

namespace platform {

QEvent::Type PostedMessage::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

}  // namespace platform
