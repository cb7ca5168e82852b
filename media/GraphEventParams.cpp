#include "media/GraphEventParams.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace vorlinde {

namespace {

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

// Two decimal digits, units in the low bits of `units`, tens in `tens`.
int Digits(ULONG units, ULONG tens) { return static_cast<int>(units + 10 * tens); }

}  // namespace

TDVDTimeCode DecodeDvdTimeCode(ULONG packed) {
    auto field = [packed](int shift, int bits) { return (packed >> shift) & ((1UL << bits) - 1); };
    TDVDTimeCode t;
    t.hours = Digits(field(0, 4), field(4, 4));
    t.minutes = Digits(field(8, 4), field(12, 4));
    t.seconds = Digits(field(16, 4), field(20, 4));
    t.frames = Digits(field(24, 4), field(28, 2));
    switch (field(30, 2)) {
        case 1: t.frameRate = 25; break;
        case 3: t.frameRate = 30; break;
        default: t.frameRate = 0; break;
    }
    return t;
}

TDVDHMSFTimeCode DecodeDvdHMSFTimeCode(ULONG packed) {
    TDVDHMSFTimeCode t;
    t.hours = static_cast<BYTE>(packed & 0xFF);
    t.minutes = static_cast<BYTE>((packed >> 8) & 0xFF);
    t.seconds = static_cast<BYTE>((packed >> 16) & 0xFF);
    t.frames = static_cast<BYTE>((packed >> 24) & 0xFF);
    return t;
}

void DecodeVideoSize(LONG_PTR param, int& width, int& height) {
    const auto value = static_cast<uint32_t>(param);
    width = static_cast<int>(value & 0xFFFF);
    height = static_cast<int>(value >> 16);
}

std::string LanguageName(LCID language) {
    char name[260] = {};
    if (GetLocaleInfoA(language, LOCALE_SENGLANGUAGE, name, sizeof name) == 0) return {};
    name[sizeof name - 1] = '\0';
    return name;
}

LONG MapVolume(int volume, bool linear) {
    volume = Clamp(volume, 0, 10000);
    if (!linear) return volume - 10000;
    // nearbyint rounds in the default mode, to nearest with ties to even.
    const double level = std::nearbyint(std::log(volume + 1.0) * 1085.73);
    return Clamp(static_cast<int>(level), 0, 10000) - 10000;
}

LONG MapBalance(int balance, bool linear) {
    balance = Clamp(balance, -10000, 10000);
    if (!linear || balance == 0) return balance;
    const int share = 10000 - (balance < 0 ? -balance : balance);
    const LONG attenuation = -MapVolume(share, true);
    return balance < 0 ? -attenuation : attenuation;
}

std::wstring RunningObjectName(const void* graph, DWORD processId) {
    wchar_t name[64];
    std::swprintf(name, sizeof name / sizeof name[0], L"FilterGraph %0*llX pid %lX",
                  static_cast<int>(sizeof(void*) * 2), static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(graph)),
                  static_cast<unsigned long>(processId));
    return name;
}

}  // namespace vorlinde
