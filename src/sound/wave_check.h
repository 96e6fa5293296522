#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace velmora {

// Reads exactly `size` bytes of a file from `offset` into `buffer`; false
// when the file holds fewer.
using ReadAt = std::function<bool(std::uint64_t offset, void* buffer, std::size_t size)>;

// Whether a file of `fileSize` bytes is a wave the players may play: a RIFF
// WAVE whose format chunk comes before its data chunk and agrees with itself.
// A header that claims a byte rate or block size its channels, rate and
// sample width do not give is damaged: a player would hold the game for a
// length computed from it with nothing heard. A data chunk that claims more
// than the file holds is not: the players play what is there.
bool isSoundWave(const ReadAt& read, std::uint64_t fileSize);

} // namespace velmora
