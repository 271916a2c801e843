// Faults end the program as an uncaught CSEHException carrying the Windows code.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <exception>

#include "diag/CSEHException.h"
#include "diag/Diagnostics.h"

namespace {

[[gnu::noinline]] void WriteThroughNull() {
    volatile int* volatile pointer = nullptr;
    *pointer = 1;
}

[[gnu::noinline]] void DivideByZero() {
    volatile int dividend = 1, zero = 0;  // both unknown, or 1 / x needs no division
    volatile int quotient = dividend / zero;
    (void)quotient;
}

// The framework catches whatever leaves a death test's statement, the game catches nothing:
// noexcept hands the fault to the runtime's handling of uncaught exceptions, as in the game.
[[gnu::noinline]] void RunWithoutHandler(void (*fault)()) noexcept {
    InitDiagnostics();
    fault();
}

[[noreturn]] void ReportCodeAndAbort() {
    try {
        throw;
    } catch (const CSEHException& fault) {
        std::fprintf(stderr, "uncaught CSEHException 0x%08X\n", unsigned{fault.exceptionCode});
    } catch (...) {
        std::fputs("uncaught exception of another type\n", stderr);
    }
    std::abort();
}

// A fault must end the program as an uncaught exception carrying the Windows code.
TEST(DiagnosticsDeathTest, FaultsEndTheProgramAsUncaughtCSEHExceptions) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const struct {
        void (*fault)();
        const char* code;
    } cases[] = {{WriteThroughNull, "0xC0000005"}, {DivideByZero, "0xC0000094"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EXIT(RunWithoutHandler(c.fault), testing::KilledBySignal(SIGABRT), "CSEHException");
        EXPECT_EXIT(
            {
                std::set_terminate(ReportCodeAndAbort);
                RunWithoutHandler(c.fault);
            },
            testing::KilledBySignal(SIGABRT), std::string("uncaught CSEHException ") + c.code);
    }
}

}  // namespace
