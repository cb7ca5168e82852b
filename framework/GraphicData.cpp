#include "framework/GraphicData.h"

#include "framework/Exceptions.h"
#include "framework/Streams.h"

namespace vl {

std::vector<uint8_t> ReadGraphicData(TStream& stream) {
    int64_t remaining = stream.Size() - stream.Position();
    if (remaining < 0) remaining = 0;
    if (static_cast<uint64_t>(remaining) > 1024ull * 1024 * 1024) throw EInvalidGraphic("Image data too large");
    std::vector<uint8_t> data(static_cast<size_t>(remaining));
    if (!data.empty()) stream.ReadBuffer(data.data(), data.size());
    return data;
}

}  // namespace vl
