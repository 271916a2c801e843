#include "diag/Diagnostics.h"

#include <array>
#include <csignal>
#include <cstring>
#include <vector>

#include "diag/CSEHException.h"

namespace {

void OnFault(int signalNumber, siginfo_t* info, void*) {
    // Throwing from here leaves through the signal frame; with no handler anywhere
    // the runtime ends the program as for any uncaught exception.
    TranslateStructuredException(ExceptionCodeOf(signalNumber, info ? info->si_code : 0));
}

}  // namespace

std::uint32_t ExceptionCodeOf(int signalNumber, int signalCode) {
    switch (signalNumber) {
        case SIGFPE:
            switch (signalCode) {
                case FPE_INTDIV:
                    return CSEHException::kIntegerDivideByZero;
                case FPE_INTOVF:
                    return CSEHException::kIntegerOverflow;
                case FPE_FLTDIV:
                    return CSEHException::kFloatDivideByZero;
                default:
                    return CSEHException::kFloatInvalidOperation;
            }
        case SIGILL:
            return CSEHException::kIllegalInstruction;
        case SIGBUS:
            return CSEHException::kInPageError;
        case SIGSEGV:
        default:
            return CSEHException::kAccessViolation;
    }
}

void TranslateStructuredException(std::uint32_t code) {
    throw CSEHException(code);
}

void DebugOutput(const char*) {}

void InitDiagnostics() {
    // A stack of its own, so that a stack overflow is translated too.
    static std::vector<char> alternateStack(std::max<std::size_t>(SIGSTKSZ, 64 * 1024));
    stack_t stack{};
    stack.ss_sp = alternateStack.data();
    stack.ss_size = alternateStack.size();
    sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_sigaction = OnFault;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : {SIGSEGV, SIGFPE, SIGILL, SIGBUS}) sigaction(signalNumber, &action, nullptr);

    DebugOutput("Test of the debug output system");
}
