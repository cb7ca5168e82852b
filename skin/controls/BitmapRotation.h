#pragma once
// Quarter turns of a bitmap: the scroll bar stores its arrows pointing up and down and its thumb
// lying on its side, and turns them to fit the bar's orientation.
namespace vl {
class TBitmap;
}

namespace vorlinde {

// Turns the picture a quarter turn in place: clockwise, the left column becomes the top row;
// counter-clockwise, the top row becomes the left column. Width and height swap; the
// transparent flag stays. An empty picture stays empty.
void RotateQuarterTurn(vl::TBitmap& bitmap, bool clockwise);

}  // namespace vorlinde
