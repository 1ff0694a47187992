// The advisor on Windows, in real windows (under Wine on Xvfb): the window class, styles,
// controls and rectangles, the logo, the buttons' commands, the card and version from the
// system, and whole runs with the real consent and apology message boxes against a loopback
// server. A helper thread plays the person at the screen: it finds the message boxes of this
// program and presses their buttons through their own commands.
#include <gtest/gtest.h>

// Winsock (the loopback server) before windows.h.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/address.h"
#include "core/card.h"
#include "core/http.h"
#include "loopback_server.h"
#include "ui/app.h"
#include "ui/window_win32.h"

namespace {

using namespace vantorel;

constexpr char kKnownCard[] =
    "manufact:Quenndal & Sons\r\n"
    "officialurl:http://drivers.quenndal.example/vantor\r\n"
    "description:Vantor 9600 with 128 MB\r\n"
    "advice:Take the 6.14 driver\r\n";

std::string className(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string windowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The window's rectangle in its parent's client coordinates.
RECT rectInParent(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Handles the window messages waiting for this thread for a while.
void pump(int milliseconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  } while (std::chrono::steady_clock::now() < until);
}

// ---- The person at the screen --------------------------------------------------------------

struct SeenBox {
  std::string caption;
  std::string text;
  bool yesNo = false;   // Yes and No buttons, rather than OK
  HWND owner = nullptr;
  bool advisorWindowThen = false;  // a window of the advisor's class existed
  size_t requestsThen = 0;         // what the server had been asked by then
};

// Watches for message boxes of this program from a thread of its own and answers each once:
// Yes or No to a question, OK to a message.
class Person {
 public:
  explicit Person(bool sayYes, const LoopbackServer* server = nullptr) : sayYes_(sayYes), server_(server) {
    thread_ = std::thread([this] { watch(); });
  }
  ~Person() {
    stop_ = true;
    thread_.join();
  }
  std::vector<SeenBox> boxes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return boxes_;
  }

 private:
  struct Search {
    std::vector<HWND> found;
  };
  static BOOL CALLBACK collect(HWND window, LPARAM data) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && className(window) == "#32770") {
      reinterpret_cast<Search*>(data)->found.push_back(window);
    }
    return TRUE;
  }

  void watch() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!stop_ && std::chrono::steady_clock::now() < deadline) {
      Search search;
      EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
      for (HWND box : search.found) {
        if (!answered_.insert(box).second) continue;
        answer(box);
      }
      Sleep(20);
    }
  }

  void answer(HWND box) {
    SeenBox seen;
    seen.advisorWindowThen = FindWindowA(kWindowClass, nullptr) != nullptr;
    seen.requestsThen = server_ ? server_->requests().size() : 0;
    Sleep(300);  // drawn, as a person would see it
    seen.caption = windowText(box);
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // a message box's text
    seen.text = text;
    seen.yesNo = GetDlgItem(box, IDYES) != nullptr && GetDlgItem(box, IDNO) != nullptr;
    seen.owner = GetWindow(box, GW_OWNER);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      boxes_.push_back(seen);
    }
    const int button = seen.yesNo ? (sayYes_ ? IDYES : IDNO) : IDOK;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  }

  bool sayYes_;
  const LoopbackServer* server_;
  std::atomic<bool> stop_{false};
  std::set<HWND> answered_;
  std::mutex mutex_;
  std::vector<SeenBox> boxes_;
  std::thread thread_;
};

struct Opened {
  std::vector<std::string> addresses;
  AdvisorWindow::OpenPage hook() {
    return [this](HWND, const std::string& address) { addresses.push_back(address); };
  }
};

struct Messages {
  std::vector<std::string> texts;
  AdvisorWindow::Message hook() {
    return [this](HWND, const char* text) { texts.push_back(text); };
  }
};

// ---- The window on its own -------------------------------------------------------------------

class Window : public ::testing::Test {
 protected:
  Window() : w("http://db.example/", "Quenndal Vantor 9600 #2", "61", "6.14.10.9", opened.hook(), messages.hook()) {
    w.show();
    pump(100);
  }
  Opened opened;
  Messages messages;
  AdvisorWindow w;
};

TEST_F(Window, TheClassTitleStylesAndPlace) {
  ASSERT_NE(w.window(), nullptr);
  EXPECT_EQ(className(w.window()), "Driver Setup");
  EXPECT_EQ(windowText(w.window()), "Vantorel 1.0");
  EXPECT_EQ(GetClassLongPtrA(w.window(), GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(w.window(), GCLP_HCURSOR)),
            LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
  EXPECT_NE(GetClassLongPtrA(w.window(), GCLP_HICON), 0);
  EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), "MONITORICO"), nullptr);

  const LONG_PTR style = GetWindowLongPtrA(w.window(), GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(IsWindowVisible(w.window()));

  RECT r;
  GetWindowRect(w.window(), &r);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 650);
  EXPECT_EQ(r.bottom - r.top, 270);
}

TEST_F(Window, EveryControlStandsAtItsRectangleWithItsKindAndText) {
  const HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  // The children in the order they were made: the controls of the table, then the status bar.
  std::vector<HWND> children;
  for (HWND c = GetWindow(w.window(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  ASSERT_EQ(children.size(), kControls.size() + 1);
  for (size_t i = 0; i < kControls.size(); ++i) {
    const ControlSpec& item = kControls[i];
    HWND c = children[i];
    SCOPED_TRACE(item.text);
    SCOPED_TRACE(item.id);
    EXPECT_EQ(GetDlgCtrlID(c), item.id == kNoId ? 0xFFFF : item.id);
    if (item.id != kNoId) {
      EXPECT_EQ(GetDlgItem(w.window(), item.id), c);
    }
    const RECT r = rectInParent(c);
    EXPECT_EQ(r.left, item.rect.x);
    EXPECT_EQ(r.top, item.rect.y);
    EXPECT_EQ(r.right - r.left, item.rect.width);
    EXPECT_EQ(r.bottom - r.top, item.rect.height);
    const LONG_PTR style = GetWindowLongPtrA(c, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(c, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(c));
    if (item.kind != ControlKind::Picture) {
      EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(c, WM_GETFONT, 0, 0)), guiFont);
    }
    switch (item.kind) {
      case ControlKind::Picture:
        EXPECT_EQ(className(c), "Static");
        EXPECT_EQ(style & SS_TYPEMASK, SS_BITMAP);
        EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageA(c, STM_GETIMAGE, IMAGE_BITMAP, 0)), w.logo());
        break;
      case ControlKind::Label:
        EXPECT_EQ(className(c), "Static");
        EXPECT_EQ(windowText(c), item.text);
        break;
      case ControlKind::Field:
      case ControlKind::SunkenField:
        EXPECT_EQ(className(c), "Edit");
        EXPECT_TRUE(style & ES_READONLY);
        EXPECT_EQ((exStyle & WS_EX_CLIENTEDGE) != 0, item.kind == ControlKind::SunkenField);
        break;
      case ControlKind::Button:
        EXPECT_EQ(className(c), "Button");
        EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
        EXPECT_EQ(windowText(c), item.text);
        break;
    }
  }

  EXPECT_EQ(w.text(kCardField), "Quenndal Vantor 9600 #2");
  EXPECT_EQ(w.text(kDownloadField), "Not available in this version");
  for (int id : {kManufacturerField, kWebsiteField, kDescriptionField, kAdviceField}) EXPECT_EQ(w.text(id), "") << id;
  EXPECT_FALSE(IsWindowEnabled(w.control(kVisitButton)));
  EXPECT_FALSE(IsWindowEnabled(w.control(kDownloadButton)));
  EXPECT_TRUE(IsWindowEnabled(w.control(kDirectXButton)));
  EXPECT_TRUE(IsWindowEnabled(w.control(kUpdateButton)));

  // The common-controls status bar along the bottom: the notice, then the driver's version.
  HWND status = w.control(kStatusBar);
  ASSERT_EQ(status, children.back());
  EXPECT_EQ(className(status), STATUSCLASSNAMEA);
  RECT client, bar = rectInParent(status);
  GetClientRect(w.window(), &client);
  EXPECT_EQ(bar.left, 0);
  EXPECT_EQ(bar.right, client.right);
  EXPECT_EQ(bar.bottom, client.bottom);
  EXPECT_GE(bar.top, 196 + 20);  // below the lowest controls
  EXPECT_EQ(SendMessageA(status, SB_GETPARTS, 0, 0), 2);
  char part[256] = {};
  SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(part));
  EXPECT_STREQ(part, kStatusNotice);
  SendMessageA(status, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(part));
  EXPECT_STREQ(part, "Driver 6.14.10.9");
}

TEST(WindowStatus, WithoutADriverVersionTheNoticeFillsTheBar) {
  AdvisorWindow w("http://db.example/", "card", "61", "", nullptr, nullptr);
  HWND status = w.control(kStatusBar);
  EXPECT_EQ(SendMessageA(status, SB_GETPARTS, 0, 0), 1);
  EXPECT_EQ(windowText(status), kStatusNotice);
}

TEST_F(Window, TheLogoIsTheDrawnPictureOnTheButtonFace) {
  HBITMAP logo = w.logo();
  ASSERT_NE(logo, nullptr);
  BITMAP b{};
  ASSERT_TRUE(GetObjectA(logo, sizeof b, &b));
  EXPECT_EQ(b.bmWidth, 135);
  EXPECT_EQ(b.bmHeight, 99);
  // No alpha left: the control shows it as it is, and keeps no copy of its own.
  EXPECT_EQ(b.bmBitsPixel, 24);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 135;
  info.bmiHeader.biHeight = -99;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<unsigned char> pixels(135 * 99 * 4);
  HDC dc = GetDC(nullptr);
  ASSERT_EQ(GetDIBits(dc, logo, 0, 99, pixels.data(), &info, DIB_RGB_COLORS), 99);
  ReleaseDC(nullptr, dc);
  auto at = [&](int x, int y) { return &pixels[(size_t(y) * 135 + x) * 4]; };  // B, G, R
  // The rounded corner lets the button face through; the panel is dark, the rim gold, the
  // board blue (the same points the drawing's own test looks at).
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_NEAR(at(0, 0)[2], GetRValue(face), 40);
  EXPECT_NEAR(at(0, 0)[1], GetGValue(face), 40);
  EXPECT_NEAR(at(0, 0)[0], GetBValue(face), 40);
  EXPECT_LT(at(67, 5)[0] + at(67, 5)[1] + at(67, 5)[2], 3 * 60);
  EXPECT_GT(at(67, 1)[2], at(67, 1)[0] + 40);
  EXPECT_GT(at(20, 62)[0], at(20, 62)[2] + 60);
}

TEST_F(Window, ButtonsOpenTheirPagesThroughTheirCommands) {
  // A click through the button's own handling, and the command the button sends.
  SendMessageA(w.control(kDirectXButton), BM_CLICK, 0, 0);
  SendMessageA(w.window(), WM_COMMAND, MAKEWPARAM(kUpdateButton, BN_CLICKED),
               reinterpret_cast<LPARAM>(w.control(kUpdateButton)));
  // Visit and Download are disabled: their commands open nothing.
  SendMessageA(w.window(), WM_COMMAND, MAKEWPARAM(kVisitButton, BN_CLICKED),
               reinterpret_cast<LPARAM>(w.control(kVisitButton)));
  SendMessageA(w.window(), WM_COMMAND, MAKEWPARAM(kDownloadButton, BN_CLICKED),
               reinterpret_cast<LPARAM>(w.control(kDownloadButton)));
  ASSERT_EQ(opened.addresses.size(), 2u);
  EXPECT_EQ(opened.addresses[0], kDirectXPage);
  EXPECT_EQ(opened.addresses[1], "http://db.example/updatevideodrivers.html");

  QueryOutcome found;
  found.result = QueryResult::Found;
  found.values = {"Quenndal", "http://q.example/", "Vantor", "Update"};
  w.showOutcome(found);
  EXPECT_TRUE(messages.texts.empty());
  ASSERT_TRUE(IsWindowEnabled(w.control(kVisitButton)));
  SendMessageA(w.control(kVisitButton), BM_CLICK, 0, 0);
  ASSERT_EQ(opened.addresses.size(), 3u);
  EXPECT_EQ(opened.addresses[2], "http://db.example/drivermanufact.php?videocard=Quenndal%20Vantor%209600%20%232&os=61");
  EXPECT_EQ(w.text(kManufacturerField), "Quenndal");
  EXPECT_EQ(w.text(kWebsiteField), "http://q.example/");
  EXPECT_EQ(w.text(kDescriptionField), "Vantor");
  EXPECT_EQ(w.text(kAdviceField), "Update");
}

TEST_F(Window, ClosingPostsTheQuitMessage) {
  SendMessageA(w.window(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(w.window()));
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 0u);
}

// ---- The card and the version from the system ---------------------------------------------

TEST(System, TheCardIsTheFirstDisplayDevicesDescription) {
  DISPLAY_DEVICEA device{};
  device.cb = sizeof device;
  ASSERT_TRUE(EnumDisplayDevicesA(nullptr, 0, &device, 0));
  std::printf("display device 0: \"%s\" (%s)\n", device.DeviceString, device.DeviceName);
  EXPECT_NE(std::string(device.DeviceString), "");
  EXPECT_EQ(detectCardName(), cardNameText(device.DeviceString));
}

TEST(System, WithoutTheEnumerationTheCardIsTheDisplaySettingsDeviceName) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  ASSERT_TRUE(EnumDisplaySettingsA(nullptr, 0, &mode));
  const std::string expected = cardNameText(std::string(reinterpret_cast<const char*>(mode.dmDeviceName),
                                                        sizeof mode.dmDeviceName));
  std::printf("display settings' device name: \"%s\"\n", expected.c_str());
  CardSources noFunction;
  noFunction.function = "EnumDisplayDevicesZ";
  EXPECT_EQ(detectCardName(noFunction), expected);
  CardSources noModule;
  noModule.module = "NOSUCHUSER32";
  EXPECT_EQ(detectCardName(noModule), expected);
}

TEST(System, TheVersionIsTheRealWindowsVersion) {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll"), "RtlGetVersion")));
  ASSERT_NE(rtlGetVersion, nullptr);
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_EQ(rtlGetVersion(&info), 0);
  std::printf("Windows %lu.%lu: os=%s; driver version \"%s\"\n", info.dwMajorVersion, info.dwMinorVersion,
              detectOsVersion().c_str(), detectDriverVersion().c_str());
  EXPECT_EQ(detectOsVersion(), osVersionText(info.dwMajorVersion, info.dwMinorVersion));
  // This test program has no manifest: GetVersionExA reports at most 6.2 to it on Windows 8.1
  // and later, while the version sent is the system's own.
  EXPECT_GE(info.dwMajorVersion, 6u);
}

// ---- Whole runs against the loopback server ------------------------------------------------

class Run : public ::testing::Test {
 protected:
  // The program's run with the test's server and browser and the real message boxes, answered
  // by `person`; when the query has been shown, `inspect` looks at the window, which is then
  // closed. Returns the program's exit code.
  int runAgainst(const std::string& server, std::function<void(AdvisorWindow&)> inspect) {
    AdvisorRun run = defaultRun();
    run.server = server;
    run.openPage = opened.hook();
    run.makeClient = [this]() -> std::unique_ptr<HttpClient> {
      ++clientsMade;
      auto client = std::make_unique<WinInetClient>();
      client->connectTimeoutSeconds = 5;
      client->transferTimeoutSeconds = 10;
      return client;
    };
    run.queryDone = [this, inspect](AdvisorWindow& window, const QueryOutcome&) {
      ++queriesDone;
      EXPECT_TRUE(IsWindowVisible(window.window()));
      if (inspect) inspect(window);
      PostMessageA(window.window(), WM_CLOSE, 0, 0);
    };
    // Never hang: the window is closed after 30 seconds whatever happened.
    std::atomic<bool> ended{false};
    std::thread guard([&ended] {
      for (int i = 0; i < 3000 && !ended; ++i) Sleep(10);
      if (ended) return;
      ADD_FAILURE() << "the run did not end";
      if (HWND w = FindWindowA(kWindowClass, nullptr)) PostMessageA(w, WM_CLOSE, 0, 0);
    });
    const int code = runAdvisor(run);
    ended = true;
    guard.join();
    return code;
  }

  static void expectNoValues(AdvisorWindow& w) {
    for (int id : {kManufacturerField, kWebsiteField, kDescriptionField}) EXPECT_EQ(w.text(id), "") << id;
    EXPECT_FALSE(IsWindowEnabled(w.control(kVisitButton)));
    EXPECT_FALSE(IsWindowEnabled(w.control(kDownloadButton)));
  }

  Opened opened;
  int clientsMade = 0, queriesDone = 0;
};

TEST_F(Run, TheConsentBoxComesFirstThenAKnownCardFillsTheWindow) {
  LoopbackServer server(kKnownCard);
  Person person(true, &server);
  const std::string card = detectCardName();
  EXPECT_EQ(runAgainst(server.address(), [&](AdvisorWindow& w) {
    EXPECT_EQ(w.text(kCardField), card);
    EXPECT_EQ(w.text(kManufacturerField), "Quenndal & Sons");
    EXPECT_EQ(w.text(kWebsiteField), "http://drivers.quenndal.example/vantor");
    EXPECT_EQ(w.text(kDescriptionField), "Vantor 9600 with 128 MB");
    EXPECT_EQ(w.text(kAdviceField), "Take the 6.14 driver");
    EXPECT_TRUE(IsWindowEnabled(w.control(kVisitButton)));
    EXPECT_FALSE(IsWindowEnabled(w.control(kDownloadButton)));
    SendMessageA(w.control(kVisitButton), BM_CLICK, 0, 0);
  }), 0);
  EXPECT_EQ(queriesDone, 1);

  // The question, exactly, before the window and before the network.
  const std::vector<SeenBox> boxes = person.boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Important notice");
  EXPECT_EQ(boxes[0].text, kConsentText);
  EXPECT_TRUE(boxes[0].yesNo);
  EXPECT_EQ(boxes[0].owner, nullptr);
  EXPECT_FALSE(boxes[0].advisorWindowThen);
  EXPECT_EQ(boxes[0].requestsThen, 0u);

  // The query as the server received it.
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].target, "/addadriver.php?card=" + percentEncode(card) + "&os=" + detectOsVersion());
  EXPECT_EQ(queryValue(requests[0].target, "card"), card);
  EXPECT_EQ(requests[0].userAgent, kAgentName);
  ASSERT_EQ(opened.addresses.size(), 1u);
  EXPECT_EQ(opened.addresses[0], manufacturerPageAddress(server.address(), card, detectOsVersion()));
}

TEST_F(Run, NoEndsTheProgramBeforeAnyWindowOrRequest) {
  LoopbackServer server(kKnownCard);
  Person person(false, &server);
  EXPECT_EQ(runAgainst(server.address(), [](AdvisorWindow&) { ADD_FAILURE() << "no window after No"; }), 0);
  EXPECT_EQ(person.boxes().size(), 1u);
  EXPECT_EQ(clientsMade, 0);
  EXPECT_EQ(queriesDone, 0);
  EXPECT_EQ(FindWindowA(kWindowClass, nullptr), nullptr);
  Sleep(100);
  EXPECT_TRUE(server.requests().empty());
}

TEST_F(Run, NoResultShowsTheApologyBoxOverTheWindow) {
  LoopbackServer server("nores\r\n");
  Person person(true, &server);
  HWND advisor = nullptr;
  runAgainst(server.address(), [&](AdvisorWindow& w) {
    advisor = w.window();
    expectNoValues(w);
    EXPECT_EQ(w.text(kAdviceField), "");
    EXPECT_EQ(w.text(kCardField), detectCardName());
  });
  const std::vector<SeenBox> boxes = person.boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, kApologyText);
  EXPECT_FALSE(boxes[1].yesNo);
  EXPECT_EQ(boxes[1].owner, advisor);
  // No caption of its own: the system's default.
  EXPECT_NE(boxes[1].caption, kConsentCaption);
  EXPECT_NE(boxes[1].caption, kWindowTitle);
  EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(Run, AWebsiteOfZeroShowsTheApologyBoxAndTheRetryAdvice) {
  LoopbackServer server("manufact:Quenndal\r\nofficialurl:0\r\ndescription:Vantor\r\nadvice:Update now\r\n");
  Person person(true, &server);
  runAgainst(server.address(), [&](AdvisorWindow& w) {
    expectNoValues(w);
    EXPECT_EQ(w.text(kAdviceField), "Please retry in a few days...");
  });
  const std::vector<SeenBox> boxes = person.boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, kApologyText);
}

TEST_F(Run, NoAnswerLeavesOnlyTheCardNameWithoutAMessage) {
  Person person(true);
  runAgainst(LoopbackServer::unreachableAddress(), [&](AdvisorWindow& w) {
    EXPECT_EQ(w.text(kCardField), detectCardName());
    expectNoValues(w);
    EXPECT_EQ(w.text(kAdviceField), "");
  });
  EXPECT_EQ(queriesDone, 1);
  EXPECT_EQ(person.boxes().size(), 1u);  // the question only
}

TEST_F(Run, ClosingTheWindowWhileTheServerIsSlowEndsTheProgramAtOnce) {
  // The server keeps the request waiting until the test lets it go (30 seconds at most).
  std::atomic<bool> release{false};
  LoopbackServer server([&release](const std::string&) {
    for (int i = 0; i < 3000 && !release; ++i) Sleep(10);
    return LoopbackServer::Answer{kKnownCard};
  });
  Person person(true, &server);
  std::chrono::steady_clock::time_point closed;
  std::thread closer([&closed, &server] {
    for (int i = 0; i < 1000; ++i) {
      HWND w = FindWindowA(kWindowClass, nullptr);
      if (w && IsWindowVisible(w) && !server.requests().empty()) {
        Sleep(200);
        closed = std::chrono::steady_clock::now();
        PostMessageA(w, WM_CLOSE, 0, 0);
        return;
      }
      Sleep(10);
    }
  });
  EXPECT_EQ(runAgainst(server.address(), nullptr), 0);
  const auto ended = std::chrono::steady_clock::now();
  closer.join();
  release = true;
  EXPECT_EQ(queriesDone, 0);
  EXPECT_LT(ended - closed, std::chrono::seconds(2));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  return RUN_ALL_TESTS();
}
