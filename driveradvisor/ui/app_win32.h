// The advisor from start to end on Windows: find the card, register the common controls, ask
// for consent, show the window, query the driver database, run the message loop until the
// window is closed.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/card.h"
#include "core/query.h"
#include "ui/window_win32.h"

namespace vantorel {

// Everything the advisor takes from outside. The defaults are the real program's; tests swap
// in their own server, browser and a hook that sees the outcome.
struct AdvisorRun {
  CardSources cardSources;
  std::string server;  // the driver database, ending with '/'
  // The consent question; true for Yes. Default: the Yes/No message box.
  std::function<bool()> askConsent;
  // A message without caption with an OK button. Default: MessageBoxA owned by the window.
  AdvisorWindow::Message message;
  // Opens an address in the browser. Default: ShellExecuteA "open", shown maximised.
  AdvisorWindow::OpenPage openPage;
  // Makes the HTTP client of the query. Default: WinInetClient.
  std::function<std::unique_ptr<HttpClient>()> makeClient;
  // Called with the window shown and the outcome applied, on the window's thread, before the
  // message loop runs on.
  std::function<void(AdvisorWindow& window, const QueryOutcome& outcome)> queryDone;
};

// The real program's settings: the compiled-in database server and the system's message
// boxes, browser and HTTP client.
AdvisorRun defaultRun();

// Runs the advisor; returns the program's exit code (0 after No, the quit code after the
// window closed).
int runAdvisor(AdvisorRun run);

}  // namespace vantorel
