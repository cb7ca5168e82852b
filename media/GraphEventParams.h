#pragma once
// Decoding of the graph event parameters that pack several values into one number, and the
// number mappings the filter graph controller applies (volume, balance, its running-object
// name). Pure functions, so that they can be checked on constructed values.
#include <windows.h>

#include <string>

namespace vorlinde {

// A DVD time code split into its values.
struct TDVDTimeCode {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int frames = 0;
    int frameRate = 0;  // 25 or 30 frames per second, 0 when the code names neither
    bool operator==(const TDVDTimeCode&) const = default;
};

// A DVD time code as the platform's DVD_TIMECODE record packs it into 32 bits, from the lowest
// bits up: hours units, hours tens, minutes units, minutes tens, seconds units, seconds tens,
// frames units (four bits each), then frames tens and the frame-rate code (two bits each).
// Each value is units + 10 x tens; frame-rate code 1 is 25 frames per second, 3 is 30.
TDVDTimeCode DecodeDvdTimeCode(ULONG packed);

// Hours, minutes, seconds and frames, one byte each from the lowest byte up, as the platform's
// DVD_HMSF_TIMECODE record lies in memory.
struct TDVDHMSFTimeCode {
    BYTE hours = 0;
    BYTE minutes = 0;
    BYTE seconds = 0;
    BYTE frames = 0;
    bool operator==(const TDVDHMSFTimeCode&) const = default;
};
TDVDHMSFTimeCode DecodeDvdHMSFTimeCode(ULONG packed);

// The new video size of EC_VIDEO_SIZE_CHANGED: width in the low 16 bits, height in the high.
void DecodeVideoSize(LONG_PTR param, int& width, int& height);

// The English name of a language (GetLocaleInfoA, LOCALE_SENGLANGUAGE); empty if unknown.
std::string LanguageName(LCID language);

// Volume 0..10000 (clamped) as the audio renderer's attenuation in 1/100 dB, -10000..0.
// Linear: ln(volume + 1) x 1085.73 rounded to the nearest integer (ties to even), minus
// 10000, so 10000 gives 0 (full volume), 5000 gives -752 and 0 gives -10000 (silence).
// Not linear: volume - 10000.
LONG MapVolume(int volume, bool linear);

// Balance -10000..10000 (clamped) as the audio renderer's balance in 1/100 dB. Not linear: the
// value itself. Linear: the quieter channel keeps the linear share 10000 - |balance| of its
// level, and that level is attenuated as MapVolume does it; 0 stays 0 (centre), +-10000 gives
// +-10000, and the mapping rises steadily in between.
LONG MapBalance(int balance, bool linear);

// The display name under which a graph is published in the running-object table:
// "FilterGraph <graph pointer> pid <process id>", the pointer with all its hexadecimal digits,
// the process id without leading zeros, both in upper case.
std::wstring RunningObjectName(const void* graph, DWORD processId);

}  // namespace vorlinde
