// The rich edit control.
#pragma once

#include "Controls.h"
#include "ListView.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TRichEdit : public TWinControl {
public:
    explicit TRichEdit(TComponent* owner);
    String ClassName() const override { return L"TRichEdit"; }

    bool ReadOnly() const { return fReadOnly; }
    void SetReadOnly(bool value);
    TScrollStyle ScrollBars() const { return fScrollBars; }
    void SetScrollBars(TScrollStyle value);
    TBorderStyle BorderStyle() const { return fBorderStyle; }
    void SetBorderStyle(TBorderStyle value);  // bsNone or bsSingle

    void SetCaption(const String& text) override;
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    String SelText() const;
    void SelectAll();
    void CopyToClipboard();
    TNotifyEvent OnSelectionChange;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void FontChanged() override;
    void ColorChanged() override;

private:
    bool fReadOnly = false;
    TScrollStyle fScrollBars = ssNone;
    TBorderStyle fBorderStyle = bsSingle;
    HFONT fSentFont = nullptr;  // the font the window was last given
    void applyTextColor();
    std::string runsAsRtf(const String& text) const;
    bool plainlyOverflows(const String& text) const;
};
