#pragma once
// A window message posted through Qt's event queue: delivered by whichever loop
// runs next, a nested modal loop included, as PostMessage's messages are.

#include <QEvent>

#include "platform/Messages.h"

namespace platform {

class PostedMessage final : public QEvent {
public:
    static QEvent::Type EventType();
    PostedMessage(Msg m, WPARAM w, LPARAM l) : QEvent(EventType()), message(m), wParam(w), lParam(l) {}

    Msg message;
    WPARAM wParam;
    LPARAM lParam;
};

}  // namespace platform
