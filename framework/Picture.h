#pragma once
// A picture: a bitmap that form descriptions give as "Picture.Data" or "Picture.Bitmap".
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/ClassBuilder.h"
#include "framework/Component.h"
#include "framework/GraphicsObjects.h"

namespace vl {

// A picture: holds a bitmap. Form descriptions give it as "Picture.Data" (the bytes of a .bmp
// file) or through "Picture.Bitmap".
class TPicture : public TPersistent {
    VL_DECLARE_CLASS()
public:
    TPicture();
    ~TPicture() override;

    TBitmap* Bitmap() { return &bitmap_; }
    int Width() const { return bitmap_.Width(); }
    int Height() const { return bitmap_.Height(); }
    bool Empty() const { return bitmap_.Empty(); }
    void LoadFromFile(const std::string& fileName) { bitmap_.LoadFromFile(fileName); }
    // Form data: the .bmp bytes, optionally preceded by a length-prefixed class name
    // ("\x07TBitmap") and a 32-bit size, as older tools write it.
    void SetData(const std::vector<uint8_t>& data);
    void Assign(const TPersistent& source) override;

    TGraphicsEvent OnChange;

private:
    TBitmap bitmap_;
};

}  // namespace vl
