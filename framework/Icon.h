#pragma once
// An icon that owns its handle, loaded from resources or from strictly checked .ico data.
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"
#include "framework/GdiOwners.h"
#include "framework/GraphicsObjects.h"

namespace vl {

class TStream;

// An icon handle that it owns.
class TIcon : public TPersistent {
    VL_DECLARE_CLASS()
public:
    TIcon() = default;
    ~TIcon() override;

    HICON Handle() const { return icon_.Get(); }
    // Takes ownership of `icon` (frees the previous one).
    void SetHandle(HICON icon);
    // Gives up ownership and returns the handle.
    HICON ReleaseHandle();
    bool Empty() const { return !icon_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Loads an icon resource at the given size (0: the system's large icon size).
    void LoadFromResourceName(HINSTANCE instance, const std::string& name, int size = 0);
    // Reads a .ico file's bytes and makes an icon of the image closest to 32 x 32 (the deepest
    // one among equals); bad data raises EInvalidGraphic.
    void LoadFromMemory(const uint8_t* data, size_t size);
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);

    // Copies the other icon's image into a handle of its own.
    void Assign(const TPersistent& source) override;

    TGraphicsEvent OnChange;

private:
    void Changed();
    TIconHandle icon_;
    int width_ = 0, height_ = 0;
};

}  // namespace vl
