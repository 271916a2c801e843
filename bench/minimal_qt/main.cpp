// The yardstick for start-up time and memory: the smallest Qt 6 Widgets window,
// reporting its first painted frame exactly as the program does: once the paint has returned. With
// DECKFALL_BENCH_PUSH set it stays up instead and, like a falling card, repaints
// one card-sized rectangle 12 pixels lower every 800 ms, reporting the CPU each
// repaint took: the least a push through Qt can cost on this machine.

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace {

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return 0;
}

long long Nanoseconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

class Window final : public QWidget {
public:
    explicit Window(bool pushing) : pushing_(pushing) { setAttribute(Qt::WA_OpaquePaintEvent); }

    void Push() {
        top_ = (top_ + 12) % 360;
        const long long started = Nanoseconds(CLOCK_THREAD_CPUTIME_ID);
        repaint(QRect(280, top_, 71, 108));
        pushCpuNs_ += Nanoseconds(CLOCK_THREAD_CPUTIME_ID) - started;
        std::fprintf(stderr, "push pushes=%d cpu_ns=%lld\n", ++pushes_, pushCpuNs_);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter(this).fillRect(event->rect(), QColor(64, (top_ * 4) % 256, 64));
        if (reported_ || pushing_) return;
        reported_ = true;
        QTimer::singleShot(0, [] {
            std::fprintf(stderr, "first-frame monotonic_ns=%lld rss_kib=%ld\n", Nanoseconds(CLOCK_MONOTONIC),
                         ResidentKiB());
            std::_Exit(0);
        });
    }

private:
    bool pushing_;
    bool reported_ = false;
    int top_ = 0;
    int pushes_ = 0;
    long long pushCpuNs_ = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const bool pushing = std::getenv("DECKFALL_BENCH_PUSH") != nullptr;
    Window window(pushing);
    window.setWindowTitle("Minimal");
    window.resize(640, 500);
    window.show();
    QTimer fall;
    if (pushing) {
        QObject::connect(&fall, &QTimer::timeout, &window, &Window::Push);
        fall.start(800);
    }
    return QApplication::exec();
}
