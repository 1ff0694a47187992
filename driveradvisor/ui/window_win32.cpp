#include "ui/window_win32.h"

#include <commctrl.h>

#include <cstring>

namespace vantorel {

namespace {

HINSTANCE programInstance() { return GetModuleHandleA(nullptr); }

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<AdvisorWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self && self->window()) return self->handle(message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

void registerClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(programInstance(), kWindowClass, &existing)) return;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = programInstance();
  windowClass.hIcon = LoadIconA(programInstance(), "MONITORICO");
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
}

struct ControlClass {
  const char* name;
  DWORD style;
  DWORD exStyle;
};

ControlClass classOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Picture:
      return {"STATIC", SS_BITMAP, 0};
    case ControlKind::Label:
      return {"STATIC", SS_LEFT, 0};
    case ControlKind::Field:
      return {"EDIT", ES_LEFT | ES_READONLY | ES_AUTOHSCROLL, 0};
    case ControlKind::SunkenField:
      return {"EDIT", ES_LEFT | ES_READONLY | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Button:
      return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
  }
  return {"STATIC", 0, 0};
}

}  // namespace

HBITMAP loadLogo(HINSTANCE instance, COLORREF background) {
  HANDLE image = LoadImageA(instance, "LOGOVIDEOCARD", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!image) return nullptr;
  HBITMAP source = static_cast<HBITMAP>(image);
  DIBSECTION section{};
  if (GetObjectA(source, sizeof section, &section) != sizeof section || section.dsBm.bmBitsPixel != 32) {
    DeleteObject(source);
    return nullptr;
  }
  const int width = section.dsBm.bmWidth;
  const int height = section.dsBm.bmHeight;

  // 24 bits a pixel: no alpha left for the static control to blend (a 32-bit bitmap with alpha
  // would be copied by the control, and the copy never freed).
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP blended = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (blended) {
    // The source rows are bottom-up (a positive height in the resource).
    const auto* from = static_cast<const unsigned char*>(section.dsBm.bmBits);
    auto* to = static_cast<unsigned char*>(bits);
    const int fromStride = section.dsBm.bmWidthBytes;
    const int toStride = (width * 3 + 3) & ~3;
    const int face[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    for (int y = 0; y < height; ++y) {
      const unsigned char* row = from + static_cast<size_t>(height - 1 - y) * fromStride;
      unsigned char* out = to + static_cast<size_t>(y) * toStride;
      for (int x = 0; x < width; ++x) {
        const unsigned char* p = row + 4 * x;
        const int alpha = p[3];
        // Premultiplied: the colour, plus the background through what the alpha leaves.
        for (int c = 0; c < 3; ++c) out[3 * x + c] = static_cast<unsigned char>(p[c] + (face[c] * (255 - alpha) + 127) / 255);
      }
    }
    GdiFlush();
  }
  DeleteObject(source);
  return blended;
}

AdvisorWindow::AdvisorWindow(std::string server, std::string card, std::string os, std::string driverVersion,
                             OpenPage openPage, Message message)
    : server_(std::move(server)),
      card_(std::move(card)),
      os_(std::move(os)),
      driverVersion_(std::move(driverVersion)),
      openPage_(std::move(openPage)),
      message_(std::move(message)) {
  registerClass();
  HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, kWindowStyle, kWindowX, kWindowY, kWindowWidth,
                                kWindowHeight, nullptr, nullptr, programInstance(), this);
  window_ = window;
  if (!window_) return;
  createControls();
  EnableWindow(control(kVisitButton), FALSE);
  EnableWindow(control(kDownloadButton), FALSE);
  SetDlgItemTextA(window_, kCardField, card_.c_str());
}

AdvisorWindow::~AdvisorWindow() {
  if (window_ && IsWindow(window_)) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (logo_) DeleteObject(logo_);
}

void AdvisorWindow::createControls() {
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const ControlSpec& item : kControls) {
    const ControlClass kind = classOf(item.kind);
    // Labels have no number of their own (the usual -1 of a static control).
    const int id = item.id == kNoId ? 0xFFFF : item.id;
    HWND child = CreateWindowExA(kind.exStyle, kind.name, item.text, WS_CHILD | WS_VISIBLE | kind.style, item.rect.x,
                                 item.rect.y, item.rect.width, item.rect.height, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), programInstance(), nullptr);
    if (!child) continue;
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (item.kind == ControlKind::Picture) {
      logo_ = loadLogo(programInstance(), GetSysColor(COLOR_BTNFACE));
      if (logo_) SendMessageA(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_));
      // The picture keeps its rectangle whatever size the bitmap has.
      SetWindowPos(child, nullptr, item.rect.x, item.rect.y, item.rect.width, item.rect.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }

  HWND status = CreateWindowExA(0, STATUSCLASSNAMEA, kStatusNotice, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBar)), programInstance(), nullptr);
  if (!status) return;
  SendMessageA(status, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (!driverVersion_.empty()) {
    // The notice on the left, the installed driver's version in a part of its own on the right.
    RECT client;
    GetClientRect(window_, &client);
    int edges[2] = {client.right - 170, -1};
    SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(kStatusNotice));
    const std::string version = "Driver " + driverVersion_;
    SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(version.c_str()));
  }
}

void AdvisorWindow::show() {
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
}

std::string AdvisorWindow::text(int id) const {
  HWND child = control(id);
  if (!child) return {};
  const int length = GetWindowTextLengthA(child);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(child, text.data(), length + 1)));
  return text;
}

void AdvisorWindow::showOutcome(const QueryOutcome& outcome) {
  const OutcomeView view = viewOf(outcome);
  if (view.apology) message_(window_, kApologyText);
  for (const auto& [id, text] : view.fields) SetDlgItemTextA(window_, id, text.c_str());
  if (view.enableVisit) EnableWindow(control(kVisitButton), TRUE);
}

void AdvisorWindow::onCommand(int id) {
  // A button that is disabled acts on nothing, whoever sends its command.
  HWND button = control(id);
  if (!button || !IsWindowEnabled(button)) return;
  const std::string page = pageFor(id, server_, card_, os_);
  if (!page.empty()) openPage_(window_, page);
}

LRESULT AdvisorWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        onCommand(LOWORD(wParam));
        return 0;
      }
      break;
    case kQueryDoneMessage: {
      const auto& outcome = *reinterpret_cast<const QueryOutcome*>(lParam);
      showOutcome(outcome);
      if (shown_) shown_(outcome);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace vantorel
