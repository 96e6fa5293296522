#pragma once

#include "game/board_pictures.h"
#include "game/front_end.h"
#include "render/render_target.h"
#include "render/surface.h"

namespace velmora {

// What the renderer draws on: the game's surface and pictures, with the
// sprite and the screen in the front end's hands.
class BoardTarget : public RenderTarget {
public:
    BoardTarget(Surface& surface, const BoardPictures& pictures)
        : surface_(surface)
        , pictures_(pictures)
    {
    }

    void attach(FrontEnd& frontEnd) { frontEnd_ = &frontEnd; }

    DiskPictureMetrics diskPicture() const override;
    void setSpritePicture(SpritePicture picture) override;
    void refreshSprite() override;
    void Cls() override;
    void Line(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
    void TransparentBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                        std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth,
                        std::int32_t sourceHeight, std::uint32_t transparentColour) override;
    void Refresh() override;

private:
    Surface& surface_;
    const BoardPictures& pictures_;
    FrontEnd* frontEnd_ = nullptr;
};

} // namespace velmora
