// Unit xaEditPath: the path box above a file list view. It shows the folder
// the view lists (the view writes the text after every listing), takes a typed
// path on Enter, and while it has no keyboard focus paints the
// backslash-delimited segment under the pointer on HotColor; a click on a
// segment opens (Ctrl) or lists (middle button) the path up to that segment.
#pragma once

#include "xaShellListView.h"

class TxaEditPath : public TEdit {
public:
    explicit TxaEditPath(TComponent* owner);
    String ClassName() const override { return L"TxaEditPath"; }
    // After the layout has set the box up: the shell's path completion stays off.
    virtual void Loaded();

    TColor HotColor() const { return fHotColor; }
    void SetHotColor(TColor color) { fHotColor = color; }
    // Inset of the highlight in pixels; 0 for none.
    int HotBevel() const { return fHotBevel; }
    void SetHotBevel(int bevel) { fHotBevel = bevel; }
    TxaShellListView* xaShellListView() const { return fxaShellListView; }
    void SetXaShellListView(TxaShellListView* view) { fxaShellListView = view; }
    // The path up to and including the segment last clicked; empty otherwise.
    const String& HotPath() const { return fHotPath; }

    // Lists the typed text in the view; unchanged text lists nothing.
    void EnterPath();
    // Lists HotPath in the view, mapped back through the view's fixed root.
    void ClickHot(TObject* sender);

    void KeyDown(WORD& key, TShiftState shift) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void HandleCreated() override;
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    void TxaEditPath_DrawHot(int x, int y, bool setHotPath);

private:
    int fHotBevel = 0;
    TColor fHotColor = 0x00FFA851;
    String fHotPath;
    TxaShellListView* fxaShellListView = nullptr;
    void ForwardAltKey(WORD& key, TShiftState shift);
    void selectAllFromEnd();
};
