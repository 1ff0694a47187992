#include "ui/app.h"

#include <atomic>
#include <cstdio>
#include <thread>

#include "core/http.h"
#include "vantorel/buildsettings.h"

namespace vantorel {

namespace {

bool askConsentDialog() {
  GtkWidget* dialog = makeMessageBox(nullptr, kConsentCaption, kConsentText, true);
  const int answer = gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
  return answer == GTK_RESPONSE_YES;
}

void messageDialog(GtkWindow* parent, const char* text) {
  GtkWidget* dialog = makeMessageBox(parent, kErrorCaption, text, false);
  gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
}

void openInBrowser(GtkWindow* parent, const std::string& address) {
  GError* error = nullptr;
  if (!gtk_show_uri_on_window(parent, address.c_str(), GDK_CURRENT_TIME, &error)) {
    std::fprintf(stderr, "vantorel: cannot open %s: %s\n", address.c_str(), error ? error->message : "");
    g_clear_error(&error);
  }
}

// The query runs on a thread of its own so that the window stays drawn and can be closed;
// the main loop looks for its end twenty times a second.
struct PendingQuery {
  std::unique_ptr<HttpClient> client;
  QueryOutcome outcome;
  std::atomic<bool> done{false};
  std::thread worker;
  AdvisorWindow* window = nullptr;
  AdvisorRun* run = nullptr;
  guint poll = 0;
};

gboolean checkQuery(gpointer data) {
  auto* query = static_cast<PendingQuery*>(data);
  if (!query->done) return G_SOURCE_CONTINUE;
  query->poll = 0;
  query->window->showOutcome(query->outcome, query->run->message);
  if (query->run->queryDone) query->run->queryDone(*query->window, query->outcome);
  return G_SOURCE_REMOVE;
}

}  // namespace

AdvisorRun defaultRun() {
  AdvisorRun run;
  run.server = kDatabaseServer;
  run.askConsent = askConsentDialog;
  run.openPage = openInBrowser;
  run.makeClient = [] { return std::make_unique<CurlClient>(); };
  return run;
}

int runAdvisor(AdvisorRun run) {
  // The card name comes before anything else, the window system included.
  const std::string card = detectCardName(run.cardSources);

  if (!gtk_init_check(nullptr, nullptr)) {
    std::fprintf(stderr, "vantorel: no display to ask on.\n%s\n%s\n", kConsentCaption, kConsentText);
    return 1;
  }
  gdk_set_program_class(kWindowClass);
  if (!run.askConsent()) return 0;

  const std::string os = detectOsVersion();
  AdvisorWindow window(run.server, card, os, run.openPage);
  if (!run.message) {
    run.message = [&window](const char* text) { messageDialog(GTK_WINDOW(window.window()), text); };
  }
  g_signal_connect(window.window(), "delete-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer) -> gboolean {
                     gtk_main_quit();
                     return TRUE;
                   }),
                   nullptr);
  window.show();

  PendingQuery query;
  query.client = run.makeClient();
  query.window = &window;
  query.run = &run;
  HttpClient* client = query.client.get();
  query.worker = std::thread([&query, client, server = run.server, card, os] {
    query.outcome = runQuery(server, card, os, *client);
    query.done = true;
  });
  query.poll = g_timeout_add(50, checkQuery, &query);

  gtk_main();

  if (query.poll) g_source_remove(query.poll);
  client->cancel();
  query.worker.join();
  return 0;
}

}  // namespace vantorel
