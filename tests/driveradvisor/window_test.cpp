// The advisor's window and its whole run, under a real display (the suite runs in Xvfb).
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../support/tempdir.h"
#include "core/address.h"
#include "core/card.h"
#include "core/http.h"
#include "loopback_server.h"
#include "pci_fixture.h"
#include "ui/app.h"
#include "ui/window.h"

namespace {

using namespace vantorel;

constexpr char kCard[] = "Quenndal & Sons Vantor 9600 #2";
constexpr char kKnownCard[] =
    "manufact:Quenndal & Sons\r\n"
    "officialurl:http://drivers.quenndal.example/vantor\r\n"
    "description:Vantor 9600 with 128 MB\r\n"
    "advice:Take the 6.14 driver\r\n";

void pump() {
  while (gtk_events_pending()) gtk_main_iteration();
}

// Lets the window come up and be laid out, within two seconds.
void settle(GtkWidget* window) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (std::chrono::steady_clock::now() < until) {
    pump();
    GtkAllocation a;
    gtk_widget_get_allocation(window, &a);
    if (gtk_widget_get_mapped(window) && a.width > 1) break;
    g_usleep(10000);
  }
  pump();
}

std::string labelText(GtkWidget* widget) {
  if (GTK_IS_LABEL(widget)) return gtk_label_get_text(GTK_LABEL(widget));
  if (GTK_IS_ENTRY(widget)) return gtk_entry_get_text(GTK_ENTRY(widget));
  if (GTK_IS_BUTTON(widget)) return gtk_button_get_label(GTK_BUTTON(widget));
  return {};
}

std::string statusText(GtkWidget* statusbar) {
  GtkWidget* area = gtk_statusbar_get_message_area(GTK_STATUSBAR(statusbar));
  GList* children = gtk_container_get_children(GTK_CONTAINER(area));
  std::string text = children ? labelText(GTK_WIDGET(children->data)) : "";
  g_list_free(children);
  return text;
}

struct Opened {
  std::vector<std::string> addresses;
  AdvisorWindow::OpenPage hook() {
    return [this](GtkWindow*, const std::string& address) { addresses.push_back(address); };
  }
};

// ---- The window on its own --------------------------------------------------------------

TEST(AdvisorWindow, EveryControlStandsAtItsRectangleWithItsText) {
  Opened opened;
  AdvisorWindow w("http://db.example/", kCard, "61", opened.hook());
  w.show();
  settle(w.window());
  EXPECT_EQ(gtk_window_get_focus(GTK_WINDOW(w.window())), nullptr);

  GtkWidget* box = gtk_bin_get_child(GTK_BIN(w.window()));
  GList* boxChildren = gtk_container_get_children(GTK_CONTAINER(box));
  GtkWidget* fixed = GTK_WIDGET(boxChildren->data);
  g_list_free(boxChildren);
  GList* children = gtk_container_get_children(GTK_CONTAINER(fixed));
  ASSERT_EQ(g_list_length(children), kControls.size());
  size_t i = 0;
  for (GList* c = children; c; c = c->next, ++i) {
    const ControlSpec& item = kControls[i];
    GtkWidget* widget = GTK_WIDGET(c->data);
    GtkAllocation a;
    gtk_widget_get_allocation(widget, &a);
    EXPECT_EQ(a.x, item.rect.x) << i;
    EXPECT_EQ(a.y, item.rect.y) << i;
    EXPECT_EQ(a.width, item.rect.width) << i;
    EXPECT_EQ(a.height, item.rect.height) << i;
    if (item.id != kNoId) {
      EXPECT_EQ(w.control(item.id), widget) << item.id;
      EXPECT_EQ(gtk_widget_get_name(widget), "control-" + std::to_string(item.id));
    }
    if (item.kind == ControlKind::Label || item.kind == ControlKind::Button) {
      EXPECT_EQ(labelText(widget), item.text);
    }
    if (item.kind == ControlKind::Field || item.kind == ControlKind::SunkenField) {
      EXPECT_FALSE(gtk_editable_get_editable(GTK_EDITABLE(widget))) << item.id;
    }
  }
  g_list_free(children);

  EXPECT_EQ(w.text(kCardField), kCard);
  EXPECT_EQ(w.text(kDownloadField), "Not available in this version");
  for (int id : {kManufacturerField, kWebsiteField, kDescriptionField, kAdviceField}) EXPECT_EQ(w.text(id), "");
  EXPECT_TRUE(gtk_entry_get_has_frame(GTK_ENTRY(w.control(kCardField))));
  EXPECT_FALSE(gtk_entry_get_has_frame(GTK_ENTRY(w.control(kAdviceField))));
  EXPECT_TRUE(GTK_IS_IMAGE(w.control(kLogoPicture)));

  EXPECT_FALSE(gtk_widget_get_sensitive(w.control(kVisitButton)));
  EXPECT_FALSE(gtk_widget_get_sensitive(w.control(kDownloadButton)));
  EXPECT_TRUE(gtk_widget_get_sensitive(w.control(kDirectXButton)));
  EXPECT_TRUE(gtk_widget_get_sensitive(w.control(kUpdateButton)));
  EXPECT_EQ(statusText(w.control(kStatusBar)), kStatusNotice);
  GtkAllocation status, client;
  gtk_widget_get_allocation(w.control(kStatusBar), &status);
  gtk_widget_get_allocation(fixed, &client);
  EXPECT_EQ(status.x, 0);
  EXPECT_EQ(status.width, kClientWidth);
  EXPECT_EQ(status.y + status.height, kClientHeight);  // along the bottom edge
  EXPECT_GE(status.height, 18);
  EXPECT_LE(status.y, client.height);
  EXPECT_GE(client.height, 196 + 20);  // below the lowest controls

  EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(w.window())), "Vantorel 1.0");
  EXPECT_FALSE(gtk_window_get_resizable(GTK_WINDOW(w.window())));
  int width = 0, height = 0, x = 0, y = 0;
  gtk_window_get_size(GTK_WINDOW(w.window()), &width, &height);
  EXPECT_EQ(width, kClientWidth);
  EXPECT_EQ(height, kClientHeight);
  gtk_window_get_position(GTK_WINDOW(w.window()), &x, &y);
  EXPECT_EQ(x, 50);
  EXPECT_EQ(y, 50);
  GList* icons = gtk_window_get_icon_list(GTK_WINDOW(w.window()));
  EXPECT_EQ(g_list_length(icons), 4u);
  g_list_free(icons);
}

TEST(AdvisorWindow, ButtonsOpenTheirPages) {
  Opened opened;
  AdvisorWindow w("http://db.example/", kCard, "61", opened.hook());
  w.show();
  settle(w.window());
  gtk_button_clicked(GTK_BUTTON(w.control(kDirectXButton)));
  gtk_button_clicked(GTK_BUTTON(w.control(kUpdateButton)));
  QueryOutcome found;
  found.result = QueryResult::Found;
  found.values.officialUrl = "http://x/";
  w.showOutcome(found, [](const char*) { ADD_FAILURE() << "no message for a found card"; });
  ASSERT_TRUE(gtk_widget_get_sensitive(w.control(kVisitButton)));
  gtk_button_clicked(GTK_BUTTON(w.control(kVisitButton)));
  ASSERT_EQ(opened.addresses.size(), 3u);
  EXPECT_EQ(opened.addresses[0], kDirectXPage);
  EXPECT_EQ(opened.addresses[1], "http://db.example/updatevideodrivers.html");
  EXPECT_EQ(opened.addresses[2],
            "http://db.example/drivermanufact.php?videocard=Quenndal%20%26%20Sons%20Vantor%209600%20%232&os=61");
}

// ---- The whole run ---------------------------------------------------------------------------

class Run : public ::testing::Test {
 protected:
  Run() {
    dir.write("pci.ids", kTestPciIds);
    dir.write("bus.dump", dumpDevice("00:03.0", 0x1af4, 0x1041, 0x02, 0x00) +
                              dumpDevice("01:00.0", 0xf00d, 0x0960, 0x03, 0x00));
  }

  // The program's run with the test's card, server, dialogs and browser; when the query has
  // been shown, `inspect` looks at the window and the window is closed.
  int runAgainst(const std::string& server, std::function<void(AdvisorWindow&)> inspect) {
    AdvisorRun run;
    run.cardSources.pciDumpFile = dir.file("bus.dump");
    run.cardSources.pciIdsFile = dir.file("pci.ids");
    run.cardSources.drmClassDir = dir.file("drm");
    run.server = server;
    run.askConsent = [this] {
      ++consentAsked;
      if (whileAsking) whileAsking();
      return consent;
    };
    run.message = [this](const char* text) { messages.push_back(text); };
    run.openPage = opened.hook();
    run.makeClient = [this]() -> std::unique_ptr<HttpClient> {
      ++clientsMade;
      auto client = std::make_unique<CurlClient>();
      client->connectTimeoutSeconds = 5;
      client->transferTimeoutSeconds = 10;
      return client;
    };
    run.queryDone = [this, inspect](AdvisorWindow& window, const QueryOutcome&) {
      ++queriesDone;
      EXPECT_TRUE(gtk_widget_get_visible(window.window()));
      inspect(window);
      gtk_main_quit();
    };
    // Never hang: give up after 30 seconds.
    const guint guard = g_timeout_add_seconds(30, [](gpointer) -> gboolean {
      ADD_FAILURE() << "the query did not end";
      gtk_main_quit();
      return G_SOURCE_REMOVE;
    }, nullptr);
    const int code = runAdvisor(run);
    g_source_remove(guard);
    return code;
  }

  static void expectNoValues(AdvisorWindow& w) {
    for (int id : {kManufacturerField, kWebsiteField, kDescriptionField}) EXPECT_EQ(w.text(id), "") << id;
    EXPECT_FALSE(gtk_widget_get_sensitive(w.control(kVisitButton)));
    EXPECT_FALSE(gtk_widget_get_sensitive(w.control(kDownloadButton)));
  }

  TempDir dir;
  bool consent = true;
  std::function<void()> whileAsking;
  int consentAsked = 0, clientsMade = 0, queriesDone = 0;
  std::vector<std::string> messages;
  Opened opened;
};

TEST_F(Run, AKnownCardFillsTheFieldsAndEnablesVisit) {
  LoopbackServer server(kKnownCard);
  EXPECT_EQ(runAgainst(server.address(), [&](AdvisorWindow& w) {
    EXPECT_EQ(w.text(kCardField), kCard);
    EXPECT_EQ(w.text(kManufacturerField), "Quenndal & Sons");
    EXPECT_EQ(w.text(kWebsiteField), "http://drivers.quenndal.example/vantor");
    EXPECT_EQ(w.text(kDescriptionField), "Vantor 9600 with 128 MB");
    EXPECT_EQ(w.text(kAdviceField), "Take the 6.14 driver");
    EXPECT_TRUE(gtk_widget_get_sensitive(w.control(kVisitButton)));
    EXPECT_FALSE(gtk_widget_get_sensitive(w.control(kDownloadButton)));
  }), 0);
  EXPECT_EQ(queriesDone, 1);
  EXPECT_TRUE(messages.empty());
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(queryValue(requests[0].target, "card"), kCard);
  EXPECT_EQ(queryValue(requests[0].target, "os"), detectOsVersion());
  EXPECT_EQ(requests[0].userAgent, kAgentName);
}

TEST_F(Run, NoResultShowsTheApologyOnly) {
  LoopbackServer server("nores\r\n");
  runAgainst(server.address(), [&](AdvisorWindow& w) {
    expectNoValues(w);
    EXPECT_EQ(w.text(kAdviceField), "");
  });
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], kApologyText);
}

TEST_F(Run, AWebsiteOfZeroShowsTheApologyAndTheRetryAdvice) {
  LoopbackServer server("manufact:Quenndal\r\nofficialurl:0\r\ndescription:Vantor\r\nadvice:Update now\r\n");
  runAgainst(server.address(), [&](AdvisorWindow& w) {
    expectNoValues(w);
    EXPECT_EQ(w.text(kAdviceField), "Please retry in a few days...");
  });
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], kApologyText);
}

TEST_F(Run, AnEmptyWebsiteShowsTheApologyToo) {
  LoopbackServer server("manufact:Quenndal\nofficialurl:\ndescription:Vantor\n");
  runAgainst(server.address(), [&](AdvisorWindow& w) { EXPECT_EQ(w.text(kAdviceField), kRetryAdvice); });
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(Run, AnUnreachableServerLeavesOnlyTheCardNameWithoutAMessage) {
  runAgainst(LoopbackServer::unreachableAddress(), [&](AdvisorWindow& w) {
    EXPECT_EQ(w.text(kCardField), kCard);
    expectNoValues(w);
    EXPECT_EQ(w.text(kAdviceField), "");
  });
  EXPECT_EQ(queriesDone, 1);
  EXPECT_TRUE(messages.empty());
}

TEST_F(Run, NoEndsTheProgramBeforeAnyWindowOrNetworkAccess) {
  LoopbackServer server(kKnownCard);
  GList* before = gtk_window_list_toplevels();
  const guint windowsBefore = g_list_length(before);
  g_list_free(before);
  consent = false;
  EXPECT_EQ(runAgainst(server.address(), [](AdvisorWindow&) { ADD_FAILURE() << "no window after No"; }), 0);
  EXPECT_EQ(consentAsked, 1);
  EXPECT_EQ(clientsMade, 0);
  EXPECT_EQ(queriesDone, 0);
  GList* after = gtk_window_list_toplevels();
  EXPECT_EQ(g_list_length(after), windowsBefore);
  g_list_free(after);
  g_usleep(100000);
  EXPECT_TRUE(server.requests().empty());
}

TEST_F(Run, TheCardIsFoundBeforeTheQuestion) {
  LoopbackServer server("nores");
  // The bus vanishes while the question is asked: the name had been read before it.
  whileAsking = [this] { std::filesystem::remove(dir.file("bus.dump")); };
  runAgainst(server.address(), [&](AdvisorWindow& w) { EXPECT_EQ(w.text(kCardField), kCard); });
  EXPECT_FALSE(std::filesystem::exists(dir.file("bus.dump")));
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(queryValue(server.requests()[0].target, "card"), kCard);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "no display: run this suite under xvfb-run\n");
    return 1;
  }
  return RUN_ALL_TESTS();
}
