#pragma once
// Reading the bytes of a picture (.bmp, .ico) from a stream.
#include <cstdint>
#include <vector>

namespace vl {

class TStream;

// The stream from its position to its end; more than 1 GiB raises EInvalidGraphic before
// anything is allocated.
std::vector<uint8_t> ReadGraphicData(TStream& stream);

}  // namespace vl
