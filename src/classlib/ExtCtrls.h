// The splitter: a bar between two aligned controls that the user drags to
// share the room between them.
#pragma once

#include "Controls.h"

// Aligned left (or top), it resizes the control aligned the same way just
// before it. Both that control and the room after the splitter keep at least
// MinSize pixels. OnMoved follows the end of a drag.
class TSplitter : public TControl {
public:
    explicit TSplitter(TComponent* owner);
    String ClassName() const override { return L"TSplitter"; }
    int MinSize = 30;
    TNotifyEvent OnMoved;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    TControl* fControl = nullptr;  // the control being resized during a drag
    int fDownPos = 0, fStartSize = 0;
    bool vertical() const { return Align() == alTop || Align() == alBottom; }
    TControl* findControl() const;
    void moveTo(int screenPos);
};
