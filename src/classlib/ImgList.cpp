#include "ImgList.h"

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), fWidth(width), fHeight(height)
{
    // With a mask as well: icons without an alpha channel (24-bit and
    // paletted ones) carry their transparency only in their mask, and a list
    // without one draws black where they are transparent.
    fList = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4);
}

TImageList::~TImageList()
{
    if (fList && !fShared) ImageList_Destroy(fList);
}

void TImageList::SetHandle(HIMAGELIST list, bool share)
{
    if (list == fList) {
        fShared = share;
        return;
    }
    if (fList && !fShared) ImageList_Destroy(fList);
    fList = list;
    fShared = share;
    if (fList) ImageList_GetIconSize(fList, &fWidth, &fHeight);
}

void TImageList::Clear()
{
    if (fList) ImageList_RemoveAll(fList);
}

int TImageList::Add(const TBitmap& image)
{
    if (!fList || image.Empty()) return -1;
    return ImageList_Add(fList, image.Handle(), nullptr);
}

int TImageList::AddIcon(HICON icon) { return fList ? ImageList_AddIcon(fList, icon) : -1; }

int TImageList::AddStrip(HBITMAP colours, HBITMAP masks)
{
    BITMAP c{}, m{};
    if (!fList || !GetObjectW(colours, sizeof c, &c) || !GetObjectW(masks, sizeof m, &m)) return -1;
    if (c.bmWidth % fWidth || c.bmHeight != fHeight || c.bmBitsPixel != 32) return -1;
    if (m.bmWidth != c.bmWidth || m.bmHeight != c.bmHeight || m.bmBitsPixel != 1) return -1;
    return ImageList_Add(fList, colours, masks);
}

void TImageList::Draw(HDC dc, int x, int y, int index) const
{
    if (fList && index >= 0 && index < Count()) ImageList_Draw(fList, index, dc, x, y, ILD_TRANSPARENT);
}

HBITMAP TImageList::MakeBitmap(int index) const
{
    if (!fList || index < 0 || index >= Count()) return nullptr;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), fWidth, -fHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP b = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!b) return nullptr;
    memset(bits, 0, (size_t)fWidth * fHeight * 4);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    ImageList_Draw(fList, index, dc, 0, 0, ILD_TRANSPARENT);
    SelectObject(dc, old);
    DeleteDC(dc);
    return b;
}
