#include "ui/trans_label_win.h"

#include <cstddef>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "app/fatal_error_win.h"
#include "ui/controls_win.h"
#include "ui/window_class_win.h"

static_assert(kDtLeft == DT_LEFT && kDtCenter == DT_CENTER && kDtRight == DT_RIGHT &&
              kDtTop == DT_TOP && kDtVCenter == DT_VCENTER && kDtBottom == DT_BOTTOM &&
              kDtWordBreak == DT_WORDBREAK && kDtSingleLine == DT_SINGLELINE &&
              kDtExpandTabs == DT_EXPANDTABS && kDtNoClip == DT_NOCLIP &&
              kDtNoPrefix == DT_NOPREFIX);
static_assert(sizeof(LOGFONTA) == kLogFontSize && offsetof(LOGFONTA, lfHeight) == kLfHeight &&
              offsetof(LOGFONTA, lfWidth) == kLfWidth &&
              offsetof(LOGFONTA, lfEscapement) == kLfEscapement &&
              offsetof(LOGFONTA, lfOrientation) == kLfOrientation &&
              offsetof(LOGFONTA, lfWeight) == kLfWeight &&
              offsetof(LOGFONTA, lfItalic) == kLfItalic &&
              offsetof(LOGFONTA, lfUnderline) == kLfUnderline &&
              offsetof(LOGFONTA, lfStrikeOut) == kLfStrikeOut &&
              offsetof(LOGFONTA, lfCharSet) == kLfCharSet &&
              offsetof(LOGFONTA, lfOutPrecision) == kLfOutPrecision &&
              offsetof(LOGFONTA, lfClipPrecision) == kLfClipPrecision &&
              offsetof(LOGFONTA, lfQuality) == kLfQuality &&
              offsetof(LOGFONTA, lfPitchAndFamily) == kLfPitchAndFamily &&
              offsetof(LOGFONTA, lfFaceName) == kLfFaceName &&
              sizeof(LOGFONTA::lfFaceName) == kLfFaceNameSize);
static_assert(kDefaultCharset == DEFAULT_CHARSET && kGb2312Charset == GB2312_CHARSET &&
              kOutDefaultPrecis == OUT_DEFAULT_PRECIS &&
              kClipDefaultPrecis == CLIP_DEFAULT_PRECIS && kProofQuality == PROOF_QUALITY);
// RefreshLabelArea's redraw flags.
static_assert((RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ERASENOW | RDW_UPDATENOW) == 0x705);

namespace {

LabelEndedCallback labelEnded = nullptr;

LabelSettings* SettingsOf(HWND hwnd) {
  return reinterpret_cast<LabelSettings*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

bool IsLabel(HWND hwnd) {
  char name[32];
  return hwnd && GetClassNameA(hwnd, name, sizeof name) && std::strcmp(name, kTransLabelClass) == 0;
}

void PaintLabel(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  int length = GetWindowTextLengthA(hwnd);
  const LabelSettings* settings = SettingsOf(hwnd);
  if (length <= 0 || !settings) {
    EndPaint(hwnd, &ps);
    return;
  }
  std::string text(static_cast<size_t>(length) + 1, '\0');
  length = GetWindowTextA(hwnd, text.data(), length + 1);

  // The font lives for this paint only.
  HFONT font = nullptr;
  LogFontRecord record;
  if (LabelFontRecord(*settings, record)) {
    LOGFONTA logFont;
    std::memcpy(&logFont, record.data(), sizeof logFont);
    font = CreateFontIndirectA(&logFont);
  }
  HGDIOBJ previous =
      SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  UINT format = LabelDrawFormat(*settings);
  SetBkMode(dc, TRANSPARENT);
  LabelPass passes[kMaxLabelPasses];
  int count = LabelPasses(*settings, passes);
  for (int i = 0; i < count; ++i) {
    RECT r = client;
    OffsetRect(&r, passes[i].dx, passes[i].dy);
    SetTextColor(dc, passes[i].color);
    DrawTextA(dc, text.data(), length, &r, format);
  }
  SelectObject(dc, previous);
  if (font)
    DeleteObject(font);
  EndPaint(hwnd, &ps);
}

void OnLabelNcDestroy(HWND hwnd) {
  if (labelEnded)
    labelEnded(hwnd);
  delete SettingsOf(hwnd);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
}

LRESULT CALLBACK TransLabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    case WM_PAINT: PaintLabel(hwnd); return 0;
    case WM_MOVE: {
      LRESULT r = DefWindowProcA(hwnd, message, wParam, lParam);
      RefreshLabelArea(hwnd);
      return r;
    }
    case WM_NCDESTROY: OnLabelNcDestroy(hwnd); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
  } catch (const std::bad_alloc&) {
    FatalError("分配内存");
  }
}

bool RegisterLabelClass() {
  return RegisterWindowClass(kTransLabelClass, TransLabelProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                             LoadCursorA(nullptr, IDC_ARROW),
                             static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
}

// The outer window: climb parents while the window is no pop-up and has a parent.
HWND OuterWindow(HWND hwnd) {
  for (;;) {
    LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    HWND parent = (style & WS_CHILD) ? GetParent(hwnd) : nullptr;
    if ((style & WS_POPUP) || !parent)
      return hwnd;
    hwnd = parent;
  }
}

// A window the repaint redraws, and the part of it over the label, in screen coordinates.
struct Overlap {
  HWND hwnd;
  RECT rect;
};

// Visible descendants depth first: for each child from the top of the z-order down,
// its own visible descendants, then the child. A child whose rectangle misses the area
// is passed over with everything inside it: they are clipped to it, so none of them could
// be redrawn there, and each step of the walk is a round trip to the window manager.
void CollectVisibleDescendants(HWND parent, const RECT& area, std::vector<Overlap>& out);

void CollectChild(HWND child, const RECT& area, std::vector<Overlap>& out) {
  RECT bounds, overlap;
  if (!(GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE) || !GetWindowRect(child, &bounds) ||
      !IntersectRect(&overlap, &bounds, &area))
    return;
  CollectVisibleDescendants(child, area, out);
  out.push_back({child, overlap});
}

void CollectVisibleDescendants(HWND parent, const RECT& area, std::vector<Overlap>& out) {
  HWND stacked[kControlCount];
  if (StackedChildren(parent, stacked)) {
    for (HWND child : stacked)
      if (child)
        CollectChild(child, area, out);
    return;
  }
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    CollectChild(child, area, out);
}

} // namespace

void SetLabelEndedCallback(LabelEndedCallback callback) {
  labelEnded = callback;
}

HWND CreateTransLabel(HWND parent, int id, const RECT& place, bool disabled, bool tabStop,
                      const LabelSettings* stored) {
  auto* settings = new LabelSettings(stored ? *stored : LabelSettings{});
  if (!RegisterLabelClass()) {
    delete settings;
    return nullptr;
  }
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (disabled)
    style |= WS_DISABLED;
  if (tabStop)
    style |= WS_TABSTOP;
  HWND hwnd = CreateWindowExA(
      WS_EX_TRANSPARENT, kTransLabelClass, settings->Caption.c_str(), style, place.left, place.top,
      place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), settings);
  if (!hwnd)
    delete settings; // a window refused at WM_NCCREATE never reaches WM_NCDESTROY
  return hwnd;
}

bool WriteLabelSetting(HWND label, int settingNumber, const LabelSettingValue& value) {
  LabelSettings* settings = IsLabel(label) ? SettingsOf(label) : nullptr;
  if (!settings || !WriteLabelSetting(*settings, settingNumber, value))
    return false;
  if (settingNumber == kLabelCaption)
    SetWindowTextA(label, settings->Caption.c_str());
  RefreshLabelArea(label);
  return true;
}

bool ReadLabelSetting(HWND label, int settingNumber, LabelSettingValue& out) {
  const LabelSettings* settings = IsLabel(label) ? SettingsOf(label) : nullptr;
  return settings && ReadLabelSetting(*settings, settingNumber, out);
}

void RefreshLabelArea(HWND label) {
  HWND outer = OuterWindow(label);
  RECT area;
  GetClientRect(label, &area);
  MapWindowPoints(label, nullptr, reinterpret_cast<POINT*>(&area), 2);

  RECT inOuter = area;
  MapWindowPoints(nullptr, outer, reinterpret_cast<POINT*>(&inOuter), 2);
  InvalidateRect(outer, &inOuter, TRUE);
  UpdateWindow(outer);

  std::vector<Overlap> windows;
  CollectVisibleDescendants(outer, area, windows);
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    RECT overlap = it->rect;
    MapWindowPoints(nullptr, it->hwnd, reinterpret_cast<POINT*>(&overlap), 2);
    RedrawWindow(it->hwnd, &overlap, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ERASENOW | RDW_UPDATENOW);
  }
  InvalidateRect(label, nullptr, FALSE);
}
