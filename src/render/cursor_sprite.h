#pragma once

#include "render/render_target.h"
#include "render/surface.h"

#include <cstdint>

namespace velmora {

// The floating cursor sprite: a box showing one picture inside a sunken border
// two pixels wide, the cursor's picture to begin with. It sizes itself to its
// picture (outer size = picture + 4 each way). Its place is kept as
// the reals the game wrote (115.5 stays 115.5) and on the screen it stands at
// the nearest pixel, halves to even. Hidden until first placed.
class CursorSprite {
public:
    // The two pictures it can show; they must outlive it.
    CursorSprite(const Picture& cursor, const Picture& diskInHand);

    void setPicture(SpritePicture picture);
    // Places it and makes it visible.
    void place(float left, float top);
    void setLeft(float left);

    bool visible() const { return visible_; }
    float left() const { return left_; }
    // Where it stands on the screen, and the box as it looks, border included.
    std::int32_t x() const;
    std::int32_t y() const;
    Picture image() const;

private:
    const Picture& cursor_;
    const Picture& diskInHand_;
    const Picture* picture_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    float left_ = 0;
    float top_ = 0;
    bool visible_ = false;
};

} // namespace velmora
