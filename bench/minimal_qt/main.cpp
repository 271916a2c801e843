// The yardstick for start-up time and memory: the smallest Qt 6 Widgets window,
// reporting its first painted frame exactly as the program does.

#include <QApplication>
#include <QPainter>
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

class Window final : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), QColor(64, 0, 64));
        if (reported_) return;
        reported_ = true;
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::fprintf(stderr, "first-frame monotonic_ns=%lld rss_kib=%ld\n",
                     static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, ResidentKiB());
        std::_Exit(0);
    }

private:
    bool reported_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    Window window;
    window.setWindowTitle("Minimal");
    window.resize(640, 500);
    window.show();
    return QApplication::exec();
}
