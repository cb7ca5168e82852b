#pragma once
// Little-endian reads and appends for the file formats the drawing code parses and writes
// (.bmp, .ico). Free of windows.h, so that the host tools compile them too. Reads trust the
// caller to have checked the bounds.
#include <cstdint>
#include <vector>

namespace vl {

inline uint16_t ReadLE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline uint32_t ReadLE32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

inline int32_t ReadLEI32(const uint8_t* p) { return static_cast<int32_t>(ReadLE32(p)); }

inline void AppendLE16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void AppendLE32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace vl
