#pragma once

#include <Qt>

#include <cstdint>

namespace velmora {

// The platform's virtual-key code of a Qt key, as the key handler expects it
// (Space 32, Left 37, Right 39, letters by their capital); 0 for a key that
// has none of its own.
std::int16_t virtualKeyCode(int qtKey);

// The shift state of a key: 1 Shift, 2 Ctrl, 4 Alt, added together.
std::int16_t shiftState(Qt::KeyboardModifiers modifiers);

} // namespace velmora
