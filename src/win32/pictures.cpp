#include "win32/pictures.h"

#include "win32/resource_ids.h"

namespace velmora {

namespace {

Picture load(HINSTANCE instance, int id)
{
    Picture picture;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return picture;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    picture.width = info.bmWidth;
    picture.height = info.bmHeight;
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = picture.width;
    request.bmiHeader.biHeight = -picture.height;  // top row first
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(picture.height), picture.pixels.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    for (Pixel& pixel : picture.pixels)
        pixel |= 0xFF000000u;
    return picture;
}

} // namespace

BoardPictures loadBoardPictures(HINSTANCE instance)
{
    return BoardPictures{load(instance, IDB_BOARD_DISK), load(instance, IDB_CURSOR), load(instance, IDB_DISK_IN_HAND)};
}

} // namespace velmora
