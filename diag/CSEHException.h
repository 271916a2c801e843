#pragma once

#include <cstdint>

// A fault of the processor or the system (an access violation, a division by
// zero) carried as an exception with the code Windows gives it. Nothing catches
// it: a fault ends the program the way any uncaught exception does.
class CSEHException {
public:
    static constexpr std::uint32_t kAccessViolation = 0xC0000005;
    static constexpr std::uint32_t kIllegalInstruction = 0xC000001D;
    static constexpr std::uint32_t kFloatDivideByZero = 0xC000008E;
    static constexpr std::uint32_t kIntegerDivideByZero = 0xC0000094;
    static constexpr std::uint32_t kIntegerOverflow = 0xC0000095;
    static constexpr std::uint32_t kFloatInvalidOperation = 0xC0000090;
    static constexpr std::uint32_t kInPageError = 0xC0000006;

    explicit CSEHException(std::uint32_t code) : exceptionCode(code) {}

    std::uint32_t exceptionCode;
};
