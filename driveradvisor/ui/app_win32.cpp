#include "ui/app.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <mutex>
#include <thread>

#include "core/http.h"
#include "vantorel/buildsettings.h"

namespace vantorel {

namespace {

bool askConsentBox() {
  return MessageBoxA(nullptr, kConsentText, kConsentCaption, MB_YESNO) == IDYES;
}

void messageBox(HWND parent, const char* text) { MessageBoxA(parent, text, nullptr, MB_OK); }

void openInBrowser(HWND parent, const std::string& address) {
  ShellExecuteA(parent, "open", address.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

}  // namespace

AdvisorRun defaultRun() {
  AdvisorRun run;
  run.server = kDatabaseServer;
  run.askConsent = askConsentBox;
  run.message = messageBox;
  run.openPage = openInBrowser;
  run.makeClient = [] { return std::make_unique<WinInetClient>(); };
  return run;
}

int runAdvisor(AdvisorRun run) {
  // The card name comes before anything else.
  const std::string card = detectCardName(run.cardSources);

  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = 0xFF;
  InitCommonControlsEx(&controls);

  if (!run.askConsent()) return 0;

  const std::string os = detectOsVersion();
  AdvisorWindow window(run.server, card, os, detectDriverVersion(), run.openPage, run.message);
  if (!window.window()) return 1;
  if (run.queryDone) window.setOutcomeShown([&window, &run](const QueryOutcome& shown) { run.queryDone(window, shown); });
  window.show();

  // The query runs on a thread of its own so that the window is drawn, moves and closes while
  // the server is slow; its end comes to the window as a message. The thread shares the query's
  // state, so that a request still under way when the window closes cannot outlive it.
  struct Query {
    std::unique_ptr<HttpClient> client;
    QueryOutcome outcome;
    std::mutex mutex;
    bool done = false;
    bool abandoned = false;  // the window is gone: nothing is posted any more
  };
  auto query = std::make_shared<Query>();
  query->client = run.makeClient();
  HWND hwnd = window.window();
  std::thread worker([query, hwnd, server = run.server, card, os] {
    QueryOutcome outcome = runQuery(server, card, os, *query->client);
    std::lock_guard<std::mutex> lock(query->mutex);
    query->outcome = std::move(outcome);
    query->done = true;
    if (!query->abandoned) PostMessageA(hwnd, kQueryDoneMessage, 0, reinterpret_cast<LPARAM>(&query->outcome));
  });

  MSG message;
  int code = 0;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      code = static_cast<int>(message.wParam);
      break;
    }
    if (got == -1) break;
    if (IsDialogMessageA(hwnd, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }

  // Closing the Internet handle ends the request on Windows; where a request goes on regardless
  // (Wine's WinINet waits for the server), the program does not wait for it beyond a moment.
  query->client->cancel();
  bool done = false;
  {
    std::lock_guard<std::mutex> lock(query->mutex);
    query->abandoned = true;
    done = query->done;
  }
  // An end that was posted but not shown is dropped with the window.
  while (PeekMessageA(&message, nullptr, kQueryDoneMessage, kQueryDoneMessage, PM_REMOVE)) {
  }
  for (int waited = 0; !done && waited < 500; waited += 10) {
    Sleep(10);
    std::lock_guard<std::mutex> lock(query->mutex);
    done = query->done;
  }
  if (done) {
    worker.join();
  } else {
    worker.detach();
  }
  return code;
}

}  // namespace vantorel
