#pragma once

#include "game/board_pictures.h"
#include "game/front_end.h"
#include "render/cursor_sprite.h"
#include "render/render_target.h"
#include "render/surface.h"

namespace velmora {

// What the renderer draws on: the game's surface, pictures and cursor
// sprite, each put on the screen by the front end.
class BoardTarget : public RenderTarget {
public:
    BoardTarget(Surface& surface, const BoardPictures& pictures)
        : surface_(surface)
        , pictures_(pictures)
        , sprite_(pictures.cursor, pictures.diskInHand)
    {
    }

    const CursorSprite& sprite() const { return sprite_; }
    // The sprite with the cursor picture at (left, top), shown; moved sideways.
    void showCursorSprite(float left, float top);
    void moveCursorSprite(float left);

    void attach(FrontEnd& frontEnd) { frontEnd_ = &frontEnd; }

    DiskPictureMetrics diskPicture() const override;
    void setSpritePicture(SpritePicture picture) override;
    void refreshSprite() override;
    void Cls() override;
    void FillBox(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
    void TransparentBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                        std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth,
                        std::int32_t sourceHeight, std::uint32_t transparentColour) override;
    void Refresh() override;

private:
    Surface& surface_;
    const BoardPictures& pictures_;
    CursorSprite sprite_;
    FrontEnd* frontEnd_ = nullptr;
};

} // namespace velmora
