// The yardstick for start-up time and memory: the smallest Qt 6 Widgets window,
// reporting its first painted frame exactly as the program does: once the paint has returned. With
// DECKFALL_BENCH_PUSH set it stays up instead and, like a falling card, repaints
// one card-sized rectangle 12 pixels lower every 800 ms, reporting the CPU each
// repaint took: the least a push through Qt can cost on this machine. With
// DECKFALL_BENCH_DIALOGS set to dialogs' controls, a letter for each (L label, E
// edit, B push button, C check box, R radio button, F line; "LLB,EEL"), it opens,
// after its first frame, a bare modal QDialog of those controls for each in turn,
// DECKFALL_BENCH_ROUNDS times (5 unless set), and reports the time from the start
// of each to its first painted frame: the least such a dialog costs here. With
// DECKFALL_BENCH_TEXT set, its first frame also draws a line of text, so that Qt
// sets up its fonts before that frame, as it must for any window that shows text.

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <algorithm>
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

// A dialog of plain labels that reports its first painted frame and closes.
class BareDialog final : public QDialog {
public:
    BareDialog(QWidget* owner, const QString& kinds, long long startedNs)
        : QDialog(owner), kinds_(kinds), startedNs_(startedNs) {
        setWindowTitle("Bare");
        for (int i = 0; i < kinds.size(); ++i) {
            const QString text = QString("Control %1").arg(i);
            QWidget* control = nullptr;
            switch (kinds[i].toLatin1()) {
                case 'E':
                    control = new QLineEdit(text, this);
                    break;
                case 'B':
                    control = new QPushButton(text, this);
                    break;
                case 'C':
                    control = new QCheckBox(text, this);
                    break;
                case 'R':
                    control = new QRadioButton(text, this);
                    break;
                case 'F':
                    control = new QFrame(this);
                    static_cast<QFrame*>(control)->setFrameShape(QFrame::HLine);
                    break;
                default:
                    control = new QLabel(text, this);
            }
            control->setGeometry(10 + 120 * (i / 16), 10 + 22 * (i % 16), 110, 20);
        }
        setFixedSize(500, 380);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QDialog::paintEvent(event);
        if (reported_) return;
        reported_ = true;
        QTimer::singleShot(0, this, [this] {
            std::fprintf(stderr, "dialog controls=%s paint_ns=%lld\n", qPrintable(kinds_),
                         Nanoseconds(CLOCK_MONOTONIC) - startedNs_);
            reject();
        });
    }

private:
    QString kinds_;
    long long startedNs_;
    bool reported_ = false;
};

class Window final : public QWidget {
public:
    explicit Window(bool pushing, bool text, QStringList dialogs, int rounds)
        : pushing_(pushing), text_(text), dialogs_(std::move(dialogs)), rounds_(rounds) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void Push() {
        top_ = (top_ + 12) % 360;
        const long long started = Nanoseconds(CLOCK_THREAD_CPUTIME_ID);
        repaint(QRect(280, top_, 71, 108));
        pushCpuNs_ += Nanoseconds(CLOCK_THREAD_CPUTIME_ID) - started;
        std::fprintf(stderr, "push pushes=%d cpu_ns=%lld\n", ++pushes_, pushCpuNs_);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), QColor(64, (top_ * 4) % 256, 64));
        if (text_) painter.drawText(20, 30, QStringLiteral("Winnings: $0"));
        if (reported_ || pushing_) return;
        reported_ = true;
        if (!dialogs_.isEmpty()) {
            QTimer::singleShot(150, this, [this] { OpenDialogs(); });
            return;
        }
        QTimer::singleShot(0, [] {
            std::fprintf(stderr, "first-frame monotonic_ns=%lld rss_kib=%ld\n", Nanoseconds(CLOCK_MONOTONIC),
                         ResidentKiB());
            std::_Exit(0);
        });
    }

private:
    void OpenDialogs() {
        for (int round = 0; round < rounds_; ++round)
            for (const QString& kinds : dialogs_) {
                BareDialog dialog(this, kinds, Nanoseconds(CLOCK_MONOTONIC));
                dialog.exec();
                // As the program does, let the window manager settle the focus between two dialogs.
                QEventLoop pause;
                QTimer::singleShot(150, &pause, &QEventLoop::quit);
                pause.exec();
            }
        std::fprintf(stderr, "dialogs done\n");
        std::_Exit(0);
    }

    bool pushing_;
    bool text_;
    QStringList dialogs_;
    int rounds_;
    bool reported_ = false;
    int top_ = 0;
    int pushes_ = 0;
    long long pushCpuNs_ = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const bool pushing = std::getenv("DECKFALL_BENCH_PUSH") != nullptr;
    QStringList dialogs;
    if (const char* kinds = std::getenv("DECKFALL_BENCH_DIALOGS"))
        dialogs = QString(kinds).split(',', Qt::SkipEmptyParts);
    const char* rounds = std::getenv("DECKFALL_BENCH_ROUNDS");
    Window window(pushing, std::getenv("DECKFALL_BENCH_TEXT") != nullptr, dialogs, rounds ? std::max(1, std::atoi(rounds)) : 5);
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
