#include "tools/sim/SimTrace.h"

namespace {
// Traces run to hundreds of megabytes: write them in large blocks.
constexpr std::size_t kBufferBytes = 1 << 20;
}  // namespace

SimTrace::SimTrace(const std::string& file) : file_(std::fopen(file.c_str(), "w")) {
    if (file_) std::setvbuf(file_.get(), nullptr, _IOFBF, kBufferBytes);
}

void SimTrace::Write(const PlayEvent& e, std::int64_t game) {
    std::FILE* out = file_.get();
    if (!out) return;
    switch (e.kind) {
        case PlayEvent::Kind::Game:
            std::fprintf(out, "{\"e\":\"game\",\"index\":%lld}\n", static_cast<long long>(game));
            break;
        case PlayEvent::Kind::Deal:
            std::fprintf(out, "{\"e\":\"deal\",\"card\":%d,\"left\":%d}\n", e.card, e.left);
            break;
        case PlayEvent::Kind::Swap:
            std::fprintf(out, "{\"e\":\"swap\",\"ok\":%s,\"card\":%d,\"left\":%d,\"winnings\":%d}\n",
                         e.ok ? "true" : "false", e.card, e.left, e.winnings);
            break;
        case PlayEvent::Kind::Land:
            std::fprintf(out,
                         "{\"e\":\"land\",\"col\":%d,\"count\":%d,\"n\":%d,\"hand\":%d,\"base\":%d,"
                         "\"pay\":%d,\"winnings\":%d}\n",
                         e.column, e.count, e.collapsed, e.hand, e.base, e.pay, e.winnings);
            break;
        case PlayEvent::Kind::Level:
            std::fprintf(out,
                         "{\"e\":\"level\",\"level\":%d,\"interval\":%d,\"cleared\":%d,\"winnings\":%d}\n",
                         e.level, e.interval, e.cleared, e.winnings);
            break;
        case PlayEvent::Kind::Over:
            std::fprintf(out, "{\"e\":\"over\",\"reason\":%d,\"winnings\":%d}\n", e.reason, e.winnings);
            break;
    }
}

bool SimTrace::Close() {
    if (!file_) return false;
    const bool written = std::ferror(file_.get()) == 0;
    return std::fclose(file_.release()) == 0 && written;
}
