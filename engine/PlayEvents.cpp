#include "engine/PlayEvents.h"

#include <utility>

namespace {
PlayEventSink sink;
}

PlayEventSink SetPlayEventSink(PlayEventSink newSink) {
    return std::exchange(sink, std::move(newSink));
}

void ReportPlayEvent(const PlayEvent& event) {
    if (sink) sink(event);
}
