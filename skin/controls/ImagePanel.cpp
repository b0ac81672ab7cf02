#include "skin/controls/ImagePanel.h"

#include <memory>

const TClassInfo& TsuiImagePanel::StaticClassInfo()
{
    static const TClassInfo info(
        "TsuiImagePanel", &TsuiCustomPanel::StaticClassInfo(), [](TComponent* owner) { return new TsuiImagePanel(owner); },
        [](TClassInfo& c) {
            using P = TsuiImagePanel;
            TPublisher<P>(c)
                .Picture(
                    "Picture",
                    [](const P& self) {
                        const TBitmap* bitmap = self.Picture().Graphic();
                        return bitmap ? std::make_shared<const TBitmap>(*bitmap) : TPictureValue();
                    },
                    [](P& self, const TPictureValue& value) {
                        TPicture picture;
                        if (value)
                            picture.Assign(*value);
                        self.SetPicture(picture);
                    })
                .Boolean("Transparent", &P::Transparent, &P::SetTransparent)
                .Boolean("AutoSize", &P::AutoSize, &P::SetAutoSize)
                .Enum<TsuiDrawStyle>("DrawStyle", {"suiNormal", "suiStretch", "suiTile"}, &P::DrawStyle,
                                     &P::SetDrawStyle);
        });
    return info;
}
