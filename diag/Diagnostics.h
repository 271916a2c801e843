#pragma once
// Start-up diagnostics: faults become CSEHException, and the debug-output entry point.

#include <csignal>
#include <cstdint>

// Installs the fault translator (SIGSEGV, SIGFPE, SIGILL, SIGBUS), then writes
// the debug output's test line. Called first thing by the entry point.
void InitDiagnostics();

// The debug-output entry point. The text goes nowhere.
void DebugOutput(const char* text);

// The Windows code of a fault signal, as the system would report it.
std::uint32_t ExceptionCodeOf(int signalNumber, int signalCode);

// Throws a CSEHException with the code; never returns.
[[noreturn]] void TranslateStructuredException(std::uint32_t code);
