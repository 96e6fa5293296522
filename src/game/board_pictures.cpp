#include "game/board_pictures.h"

#include "velmora/picture_data.h"

#include <cstdlib>

namespace velmora {

namespace {

std::uint32_t little(const unsigned char* at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | at[i];
    return value;
}

// A 24-bit uncompressed Windows bitmap, the form the images are kept in:
// rows bottom up (or top down for a negative height), each padded to four
// bytes, blue, green, red. Anything else gives an empty picture.
Picture decodeBitmap(const unsigned char* data, std::size_t size)
{
    if (size < 54 || data[0] != 'B' || data[1] != 'M' || little(data + 28, 2) != 24 || little(data + 30, 4) != 0)
        return Picture{};
    const std::size_t offset = little(data + 10, 4);
    const auto width = static_cast<std::int32_t>(little(data + 18, 4));
    const auto signedHeight = static_cast<std::int32_t>(little(data + 22, 4));
    const std::int32_t height = std::abs(signedHeight);
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    if (width <= 0 || height <= 0 || offset + stride * static_cast<std::size_t>(height) > size)
        return Picture{};
    Picture picture{width, height, std::vector<Pixel>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height))};
    for (std::int32_t y = 0; y < height; ++y) {
        const unsigned char* row = data + offset + stride * static_cast<std::size_t>(signedHeight > 0 ? height - 1 - y : y);
        for (std::int32_t x = 0; x < width; ++x)
            picture.pixels[static_cast<std::size_t>(y * width + x)] = rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    }
    return picture;
}

} // namespace

BoardPictures boardPictures()
{
    return BoardPictures{decodeBitmap(BoardDiskBitmap, sizeof BoardDiskBitmap),
                         decodeBitmap(CursorBitmap, sizeof CursorBitmap),
                         decodeBitmap(DiskInHandBitmap, sizeof DiskInHandBitmap)};
}

} // namespace velmora
