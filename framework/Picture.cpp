#include "framework/Picture.h"

#include "framework/Exceptions.h"
#include "framework/PropValue.h"

namespace vl {

const TClassInfo& TPicture::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TPicture>("TPicture", &TPersistent::StaticClass())
            .Object("Bitmap", &TPicture::Bitmap)
            .Custom("Data",
                    [](TPicture& p, const TPropValue& v) {
                        if (v.kind != TPropValue::Kind::Binary) throw EReadError("Binary data expected for Data");
                        p.SetData(v.binary);
                    })
            .Build();
    return info;
}

TPicture::TPicture() {
    bitmap_.OnChange = [this](TObject*) {
        if (OnChange) OnChange(this);
    };
}

TPicture::~TPicture() { bitmap_.OnChange = nullptr; }

void TPicture::SetData(const std::vector<uint8_t>& data) { bitmap_.SetData(data); }

void TPicture::Assign(const TPersistent& source) {
    if (const auto* other = dynamic_cast<const TPicture*>(&source)) bitmap_.Assign(other->bitmap_);
    else if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source)) bitmap_.Assign(*bitmap);
    else TPersistent::Assign(source);
}

}  // namespace vl
