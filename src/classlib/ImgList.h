// TImageList: a platform image list of 32-bit images with alpha and a mask.
#pragma once

#include "Controls.h"

#include <commctrl.h>

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner, int width = 16, int height = 16);
    ~TImageList() override;
    String ClassName() const override { return L"TImageList"; }

    int Width() const { return fWidth; }
    int Height() const { return fHeight; }
    int Count() const { return fList ? ImageList_GetImageCount(fList) : 0; }
    HIMAGELIST Handle() const { return fList; }
    // Gives the component another list. With Share it only refers to it (the
    // shell's system image list must never be destroyed by us); the list it
    // owned before is destroyed.
    void SetHandle(HIMAGELIST list, bool share);
    bool ShareImages() const { return fShared; }
    void Clear();
    // Adds a bitmap of the list's size (alpha kept); returns its index.
    int Add(const TBitmap& image);
    int AddIcon(HICON icon);
    // Adds the images laid side by side in Colours (32-bit, alpha kept), each
    // of the list's size, with their masks (1 is transparent) in Masks, a
    // monochrome bitmap of the same size; returns the first one's index, or
    // -1 when the bitmaps are not such a strip. One call instead of one per
    // image: a list given an icon makes its own copy of it first.
    int AddStrip(HBITMAP colours, HBITMAP masks);
    void Draw(HDC dc, int x, int y, int index) const;
    // The image as a 32-bit premultiplied bitmap, for menu items; the caller owns it.
    HBITMAP MakeBitmap(int index) const;

private:
    int fWidth, fHeight;
    HIMAGELIST fList = nullptr;
    bool fShared = false;
};
