// TListView: rows kept here, shown by an owner-data (virtual) list-view
// control. The control asks for texts and images only of the rows it draws,
// and keeps selection and focus itself, so listing, sorting and re-selecting
// tens of thousands of rows is memory work. A row's image may be left to be
// resolved when it is first drawn or read (ResolveImageIndex); a row may be
// drawn first with a cheap stand-in (QuickImageIndex) whose own image is then
// resolved while the thread is idle, a few rows at a time.
#pragma once

#include "ImgList.h"
#include "StdCtrls.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <numeric>
#include <memory>
#include <vector>

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
using TCustomDrawState = unsigned;  // the control's CDIS_ bits of the row being drawn

class TListView;
class TListItem;

// A row's selected or focused state, read from and written to the control.
template <UINT Mask>
class TListItemState {
public:
    explicit TListItemState(TListItem* item) : fItem(item) {}
    TListItemState(const TListItemState&) = delete;
    TListItemState& operator=(const TListItemState& other) { return *this = (bool)other; }
    operator bool() const;
    TListItemState& operator=(bool value);

private:
    TListItem* fItem;
};

// A row's sub-item texts (the report view's columns after the first).
class TSubItems {
public:
    int Count() const { return (int)fItems.size(); }
    const String& operator[](int i) const { return fItems.at(i); }
    String& operator[](int i) { return fItems.at(i); }
    int Add(const String& s)
    {
        // Room for the two columns after the first of a file list at once:
        // growing one by one costs a row two allocations, which a listing of
        // 10,000 rows feels.
        if (fItems.empty()) fItems.reserve(2);
        fItems.push_back(s);
        return Count() - 1;
    }
    int Add(String&& s)
    {
        if (fItems.empty()) fItems.reserve(2);
        fItems.push_back(std::move(s));
        return Count() - 1;
    }
    void Clear() { fItems.clear(); }

private:
    std::vector<String> fItems;
};

class TListItem {
public:
    TListItem(TListView* owner, int index) : fOwner(owner), fIndex(index) {}
    TListItem(const TListItem&) = delete;
    TListItem& operator=(const TListItem&) = delete;

    String Caption;
    TSubItems SubItems;
    void* Data = nullptr;
    TListItemState<LVIS_SELECTED> Selected{this};
    TListItemState<LVIS_FOCUSED> Focused{this};

    TListView* Owner() const { return fOwner; }
    int Index() const { return fIndex; }
    // The row's own image: a deferred one, or one drawn with a stand-in, is
    // resolved by the view on this read.
    int ImageIndex() const;
    void SetImageIndex(int index);
    void SetImageIndexDeferred()
    {
        fImageIndex = kDeferred;
        fStandIn = false;
    }
    // The row has an image to draw: it was drawn or read at least once.
    bool ImageResolved() const { return fImageIndex != kDeferred; }
    // The image drawn stands in for the row's own, which is not resolved yet.
    bool ImageStandIn() const { return fStandIn; }
    // Scrolls the row into view; with PartialOK a partly visible row is left as it is.
    void MakeVisible(bool partialOK);
    // The row's top left corner in the view's client coordinates.
    POINT Position() const;
    // Redraws the row.
    void Update() const;

private:
    static constexpr int kDeferred = INT_MIN;
    TListView* fOwner;
    int fIndex;
    mutable int fImageIndex = -1;
    mutable bool fStandIn = false;
    bool fQueued = false;  // in the view's list of stand-ins to resolve
    friend class TListItems;
    friend class TListView;
};

class TListItems {
public:
    explicit TListItems(TListView* owner) : fOwner(owner) {}
    int Count() const { return (int)fItems.size(); }
    TListItem& operator[](int i) const { return *fItems.at(i); }
    TListItem* Item(int i) const { return fItems.at(i).get(); }
    TListItem* Add();
    void Delete(int index);
    void Clear();
    // Changes between BeginUpdate and EndUpdate reach the control once, at the end.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return fUpdating > 0; }
    // Tells the control the row count now, inside an update too, so that
    // rows just added can be selected before drawing is turned on again.
    void CountNow();

private:
    TListView* fOwner;
    std::vector<std::unique_ptr<TListItem>> fItems;
    int fUpdating = 0;
    bool fCountChanged = false;
    void countChanged();
    void renumber(int from);
    friend class TListView;
};

class TListColumn {
public:
    TListColumn(TListView* owner, int index) : fOwner(owner), fIndex(index) {}
    int Index() const { return fIndex; }
    String Caption() const { return fCaption; }
    void SetCaption(const String& caption);
    // The width the user left it at (from the control), in pixels.
    int Width() const;
    void SetWidth(int width);
    TAlignment Alignment() const { return fAlignment; }
    void SetAlignment(TAlignment alignment);

private:
    TListView* fOwner;
    int fIndex;
    String fCaption;
    mutable int fWidth = 50;
    TAlignment fAlignment = taLeftJustify;
    void apply(UINT mask) const;
    friend class TListView;
    friend class TListColumns;
};

class TListColumns {
public:
    explicit TListColumns(TListView* owner) : fOwner(owner) {}
    int Count() const { return (int)fColumns.size(); }
    TListColumn& operator[](int i) const { return *fColumns.at(i); }
    TListColumn* Add();

private:
    TListView* fOwner;
    std::vector<std::unique_ptr<TListColumn>> fColumns;
    friend class TListView;
};

// What a row-drawing handler may change: the row's background and text colour.
struct TListViewCanvas {
    struct {
        TColor Color = clWindow;
    } Brush;
    struct {
        TColor Color = clWindowText;
    } Font;
};

struct TIconOptions {
    bool AutoArrange = false;
};

// A row's selection changed: Item is none when the change was to every row at once.
using TLVSelectItemEvent = std::function<void(TObject* sender, TListItem* item, bool selected)>;
using TLVCustomDrawItemEvent =
    std::function<void(TListView* sender, TListItem* item, TCustomDrawState state, bool& defaultDraw)>;

class TListView : public TWinControl {
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;
    String ClassName() const override { return L"TListView"; }

    TListItems Items{this};
    TListColumns Columns{this};

    // Decided when the window is made.
    bool MultiSelect = false;
    bool RowSelect = false;
    bool ReadOnly = false;
    bool HideSelection = true;
    TIconOptions IconOptions;

    TViewStyle ViewStyle() const { return fViewStyle; }
    virtual void SetViewStyle(TViewStyle style);

    TImageList* SmallImages() const { return fSmallImages; }
    void SetSmallImages(TImageList* list);
    TImageList* LargeImages() const { return fLargeImages; }
    void SetLargeImages(TImageList* list);

    // The first selected row, or none.
    TListItem* Selected() const;
    int SelCount() const;
    // The next row after Start (-1: from the first) with the LVNI_ flags, or -1.
    int GetNextItem(int start, UINT flags) const;
    TListItem* ItemFocused() const;
    void SelectAll();
    void ClearSelection();
    // Removes the selected rows from the view; what they stand for is left alone.
    virtual void DeleteSelected();
    TListItem* GetItemAt(int x, int y) const;
    void Scroll(int dx, int dy);

    // Reorders the rows by Less(a, b) on their current indexes (a stable
    // sort); selection and focus move with their rows. (Less is called
    // directly, not through a function object: a sort of 100,000 rows calls
    // it some two million times.)
    template <class Less>
    void CustomSort(const Less& less)
    {
        std::vector<int> order(Items.Count());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), less);
        reorder(order);
    }

    // Valid inside OnCustomDrawItem.
    TListViewCanvas Canvas;
    TLVCustomDrawItemEvent OnCustomDrawItem;
    TLVSelectItemEvent OnSelectItem;

    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void ColorChanged() override;
    // The font's colour is the rows' text colour, whenever the font changes.
    void FontChanged() override;
    // The image of a row whose image was deferred; asked once per row.
    virtual int ResolveImageIndex(const TListItem& item);
    // The image to draw a deferred row with now, found cheaply. Final left
    // false makes it a stand-in: the row's own image is then resolved at idle
    // time while the row is in view. By default the row's own image.
    virtual int QuickImageIndex(const TListItem& item, bool& final);
    virtual void ColClick(TListColumn& column);

private:
    TViewStyle fViewStyle = vsIcon;
    TImageList* fSmallImages = nullptr;
    TImageList* fLargeImages = nullptr;
    // Rows drawn with a stand-in, in the order they were drawn.
    std::vector<TListItem*> fStandIns;
    // A size change's arrange of the icons, posted until the layout settles.
    mutable bool fArrangePending = false;
    // The row a key deselected before the control moved from it, or -1.
    int fKeyDeselected = -1;
    friend class TListItem;
    friend class TListItems;
    friend class TListColumn;
    template <UINT>
    friend class TListItemState;
    void getDispInfo(NMLVDISPINFOW& info);
    int drawnImageIndex(TListItem& row);
    void forgetStandIn(TListItem* row);
    LRESULT sizeChanged(UINT msg, WPARAM wp, LPARAM lp);
    void arrangePending() const;
    bool arrangesIcons() const;
    void resolveStandIns();
    void reorder(const std::vector<int>& order);
    void keyMoving(WORD key);
    void keyMoved();
    LRESULT customDraw(NMLVCUSTOMDRAW& cd);
    int findItem(const NMLVFINDITEMW& find) const;
    void applyImages();
    void applyExStyle();
    // The control's own procedure, called directly: a row's state is asked
    // for per row, and the way through the window's property lookup costs a
    // server round trip under Wine.
    LRESULT lvCall(UINT msg, WPARAM wp, LPARAM lp) const;
    UINT itemState(int index, UINT mask) const;
    void setItemState(int index, UINT state, UINT mask) const;
};

template <UINT Mask>
TListItemState<Mask>::operator bool() const
{
    return fItem->Owner()->itemState(fItem->Index(), Mask) & Mask;
}

template <UINT Mask>
TListItemState<Mask>& TListItemState<Mask>::operator=(bool value)
{
    fItem->Owner()->setItemState(fItem->Index(), value ? Mask : 0, Mask);
    return *this;
}
