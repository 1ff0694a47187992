// The advisor from start to end: find the card, ask for consent, show the window, query the
// driver database, run until the window is closed. The same on both systems: over GTK here, over
// Win32 controls on Windows (where the common controls are registered first and the window's
// message loop runs).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/card.h"
#include "core/query.h"
#if defined(_WIN32)
#include "ui/window_win32.h"
#else
#include "ui/window.h"
#endif

namespace vantorel {

// Everything the advisor takes from outside. The defaults are the real program's; tests swap
// in their own card sources, server, dialogs, browser and a hook that sees the outcome.
struct AdvisorRun {
  CardSources cardSources;
  std::string server;  // the driver database, ending with '/'
  // The consent question; true for Yes. Default: the system's modal Yes/No box.
  std::function<bool()> askConsent;
  // A message with an OK button over the window. Default: the system's modal message box.
  AdvisorWindow::Message message;
  // Opens an address in the browser. Default: the desktop's handler for it (ShellExecuteA
  // "open", shown maximised, on Windows).
  AdvisorWindow::OpenPage openPage;
  // Makes the HTTP client of the query. Default: CurlClient, or WinInetClient on Windows.
  std::function<std::unique_ptr<HttpClient>()> makeClient;
  // Called with the window shown and the outcome applied, on the window's thread, before the
  // window runs on.
  std::function<void(AdvisorWindow& window, const QueryOutcome& outcome)> queryDone;
};

// The real program's settings: the compiled-in database server and the system's dialogs,
// browser and HTTP client.
AdvisorRun defaultRun();

// Runs the advisor; returns the program's exit code (0 after No; after the window closed, 0 here
// and the quit message's code on Windows).
int runAdvisor(AdvisorRun run);

}  // namespace vantorel
