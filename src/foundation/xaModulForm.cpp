#include "xaModulForm.h"

#include "xaModulPath.h"

#include <memory>

namespace {
bool posLoadFrom(TForm* form, TIniFile& ini, const String& section)
{
    if (!ini.SectionExists(section)) return false;
    form->Position = poDesigned;
    int top = ini.ReadInteger(section, L"Top", 100);
    int left = ini.ReadInteger(section, L"Left", 100);
    int height = ini.ReadInteger(section, L"Height", form->Height());
    int width = ini.ReadInteger(section, L"Width", form->Width());
    form->SetBounds(left, top, width, height);
    Form_FitToScreen(form);
    if (ini.ReadBool(section, L"Maximized", false)) form->SetWindowState(wsMaximized);
    return true;
}
}  // namespace

bool Form_PosLoad(TForm* form, TIniFile* ini, const String& section, bool maximizeIfNone)
{
    bool result = false;
    // Centred or not, a place read or the first show's is the window's until
    // the user moves it, and what its close saves.
    form->KeepPlaceOnceShown = true;
    String name = section.empty() ? form->Name : section;
    if (ini) {
        result = posLoadFrom(form, *ini, name);
    } else if (FileExists(Settings_FileName())) {
        TIniFile own(Settings_FileName());
        result = posLoadFrom(form, own, name);
    }
    if (!result) {
        form->Position = poScreenCenter;
        form->SetWindowState(wsNormal);
        Form_FitToScreen(form);
        if (maximizeIfNone) form->SetWindowState(wsMaximized);
    }
    return result;
}

void Form_PosSave(TForm* form, TIniFile* ini, const String& section)
{
    // A window the user never saw has no place of its own yet: its bounds are
    // still the design's (centring happens on showing), and writing them would
    // pin it there from the next run on, or overwrite the place it was left at
    // in an earlier run.
    if (!form->EverShown()) return;
    String name = section.empty() ? form->Name : section;
    std::unique_ptr<TIniFile> own;
    if (!ini) {
        own = std::make_unique<TIniFile>(Settings_FileName());
        ini = own.get();
    }
    ini->WriteBool(name, L"Maximized", form->WindowState() == wsMaximized);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    RECT r{form->Left(), form->Top(), form->Left() + form->Width(), form->Top() + form->Height()};
    if (form->HandleAllocated() && GetWindowPlacement(form->Handle(), &wp)) r = wp.rcNormalPosition;
    ini->WriteInteger(name, L"Top", r.top);
    ini->WriteInteger(name, L"Left", r.left);
    ini->WriteInteger(name, L"Height", r.bottom - r.top);
    ini->WriteInteger(name, L"Width", r.right - r.left);
}

void Form_FitToScreen(TForm* form)
{
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    int left = form->Left(), top = form->Top(), width = form->Width(), height = form->Height();
    if (height > sh) height = sh;
    if (width > sw) width = sw;
    if (top > sh - height) top = sh - height;
    if (top < 0) top = 0;
    if (left > sw - width) left = sw - width;
    if (left < 0) left = 0;
    form->SetBounds(left, top, width, height);
}

void Form_Drag(TForm* form)
{
    if (form->WindowState() == wsMaximized) return;
    TScreenCursor moving(crSizeAll);
    ReleaseCapture();
    SendMessageW(form->Handle(), WM_SYSCOMMAND, 0xF012, 0);  // move by the caption, until the button is let go
}

void Form_ToolDialog(TForm* form, int clientWidth, int clientHeight, int minWidth, int minHeight, int fontHeight,
                     TColor color)
{
    // The style first: the client size is measured inside the frame it gives.
    form->SetBorderStyle(bsSizeToolWin);
    form->SetBorderIcons(0);
    form->SetFormStyle(fsStayOnTop);
    form->SetClientSize(clientWidth, clientHeight);
    form->Constraints.MinWidth = minWidth;
    form->Constraints.MinHeight = minHeight;
    if (color != clNone) form->SetColor(color);
    form->Font.SetName(L"Tahoma");
    form->Font.SetHeight(fontHeight);
}

namespace {
struct TStyleKey {
    const wchar_t* Suffix;
    TFontStyle Style;
};
const TStyleKey kStyleKeys[] = {
    {L".Bold", fsBold}, {L".Italic", fsItalic}, {L".Uderline", fsUnderline}, {L".Strike", fsStrikeOut}};
}  // namespace

void Font_Load(TIniFile* ini, const String& section, const String& prefix, TFont& font)
{
    if (!ini) return;
    if (ini->ValueExists(section, prefix + L".Name")) font.SetName(ini->ReadString(section, prefix + L".Name", font.Name()));
    if (ini->ValueExists(section, prefix + L".Size")) font.SetSize(ini->ReadInteger(section, prefix + L".Size", font.Size()));
    if (ini->ValueExists(section, prefix + L".Color")) {
        // A colour text that is neither a name nor a number keeps the colour
        // the font has, rather than stopping the caller.
        TColor c;
        if (TryStringToColor(ini->ReadString(section, prefix + L".Color", ColorToString(font.Color())), c))
            font.SetColor(c);
    }
    for (const TStyleKey& k : kStyleKeys) {
        String key = prefix + k.Suffix;
        if (!ini->ValueExists(section, key)) continue;
        bool on = ini->ReadBool(section, key, (font.Style() & k.Style) != 0);
        font.SetStyle(on ? font.Style() | k.Style : font.Style() & ~k.Style);
    }
}

void Font_Save(TIniFile* ini, const String& section, const String& prefix, const TFont& font)
{
    if (!ini) return;
    ini->WriteString(section, prefix + L".Name", font.Name());
    ini->WriteInteger(section, prefix + L".Size", font.Size());
    ini->WriteString(section, prefix + L".Color", ColorToString(font.Color()));
    for (const TStyleKey& k : kStyleKeys) ini->WriteBool(section, prefix + k.Suffix, (font.Style() & k.Style) != 0);
}
