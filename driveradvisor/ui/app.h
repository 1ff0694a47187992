// The advisor from start to end: find the card, ask for consent, show the window, query the
// driver database, run until the window is closed.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/card.h"
#include "core/query.h"
#include "ui/window.h"

namespace vantorel {

// Everything the advisor takes from outside. The defaults are the real program's; tests swap
// in their own card sources, server, dialogs, browser and a hook that sees each step.
struct AdvisorRun {
  CardSources cardSources;
  std::string server;  // the driver database, ending with '/'
  // The consent question; true for Yes. Default: a modal Yes/No dialog.
  std::function<bool()> askConsent;
  // A message without caption with an OK button. Default: a modal dialog.
  std::function<void(const char* text)> message;
  // Opens an address in the browser. Default: the desktop's handler for it.
  AdvisorWindow::OpenPage openPage;
  // Makes the HTTP client of the query. Default: CurlClient.
  std::function<std::unique_ptr<HttpClient>()> makeClient;
  // Called with the window shown and the outcome applied, before the window runs on.
  std::function<void(AdvisorWindow& window, const QueryOutcome& outcome)> queryDone;
};

// The real program's settings: the compiled-in database server and the system's dialogs,
// browser and HTTP client.
AdvisorRun defaultRun();

// Runs the advisor; returns the program's exit code (0 after No or after the window closed).
int runAdvisor(AdvisorRun run);

}  // namespace vantorel
