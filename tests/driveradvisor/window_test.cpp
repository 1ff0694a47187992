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

// Every widget under `widget`, the toolkit's own children (a title bar's buttons) included.
void collectWidgets(GtkWidget* widget, std::vector<GtkWidget*>& out) {
  out.push_back(widget);
  if (GTK_IS_CONTAINER(widget)) {
    gtk_container_forall(GTK_CONTAINER(widget), [](GtkWidget* child, gpointer list) {
      collectWidgets(child, *static_cast<std::vector<GtkWidget*>*>(list));
    }, &out);
  }
}

// The widget's rectangle measured from the top-left corner of `area`.
GtkAllocation allocationIn(GtkWidget* widget, GtkWidget* area) {
  GtkAllocation a;
  gtk_widget_get_allocation(widget, &a);
  int x = 0, y = 0;
  EXPECT_TRUE(gtk_widget_translate_coordinates(widget, area, 0, 0, &x, &y));
  a.x = x;
  a.y = y;
  return a;
}

bool hasClass(GtkWidget* widget, const char* name) {
  return gtk_style_context_has_class(gtk_widget_get_style_context(widget), name);
}

// The 32-bit items of a property of the window on the X server (empty when it is not set).
std::vector<long> windowProperty(GtkWidget* window, const char* name) {
  GdkAtom type;
  int format = 0, length = 0;
  guchar* data = nullptr;
  std::vector<long> items;
  if (gdk_property_get(gtk_widget_get_window(window), gdk_atom_intern(name, FALSE), GDK_NONE, 0, 64, FALSE,
                       &type, &format, &length, &data)) {
    if (format == 32) {
      const long* values = reinterpret_cast<const long*>(data);
      items.assign(values, values + length / sizeof(long));
    }
    g_free(data);
  }
  return items;
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
    GtkAllocation a = allocationIn(widget, box);
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
  const GtkAllocation status = allocationIn(w.control(kStatusBar), box);
  const GtkAllocation client = allocationIn(fixed, box);
  // The client area lies inside the 3-pixel frame, below the 19-pixel title bar.
  int clientX = -1, clientY = -1;
  ASSERT_TRUE(gtk_widget_translate_coordinates(box, w.window(), 0, 0, &clientX, &clientY));
  EXPECT_EQ(clientX, 3);
  EXPECT_EQ(clientY, 3 + 19);
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
  // The whole window, its own frame included, at (50, 50).
  gdk_window_get_origin(gtk_widget_get_window(w.window()), &x, &y);
  EXPECT_EQ(x, 50);
  EXPECT_EQ(y, 50);
  GList* icons = gtk_window_get_icon_list(GTK_WINDOW(w.window()));
  EXPECT_EQ(g_list_length(icons), 4u);
  g_list_free(icons);
}

// Checks that a window of the advisor draws its own title bar (icon, caption, one close button),
// is of fixed size and asks the window manager for no frame; gives the title bar's widgets.
std::vector<GtkWidget*> expectOwnTitleBar(GtkWidget* widget, const char* title) {
  GtkWindow* window = GTK_WINDOW(widget);
  EXPECT_FALSE(gtk_window_get_resizable(window));
  EXPECT_EQ(gtk_window_get_type_hint(window), GDK_WINDOW_TYPE_HINT_DIALOG);

  // The window draws its own title bar: icon, caption and one title button, the close button.
  GtkWidget* bar = gtk_window_get_titlebar(window);
  EXPECT_TRUE(GTK_IS_HEADER_BAR(bar));
  if (!GTK_IS_HEADER_BAR(bar)) return {};
  EXPECT_STREQ(gtk_header_bar_get_title(GTK_HEADER_BAR(bar)), title);
  EXPECT_STREQ(gtk_window_get_title(window), title);
  EXPECT_TRUE(gtk_header_bar_get_show_close_button(GTK_HEADER_BAR(bar)));
  std::vector<GtkWidget*> parts;
  collectWidgets(bar, parts);
  int titleButtons = 0, closeButtons = 0, icons = 0;
  for (GtkWidget* part : parts) {
    if (!gtk_widget_get_visible(part)) continue;
    if (GTK_IS_BUTTON(part) && hasClass(part, "titlebutton")) {
      ++titleButtons;
      if (hasClass(part, "close")) ++closeButtons;
      EXPECT_FALSE(hasClass(part, "minimize"));
      EXPECT_FALSE(hasClass(part, "maximize"));
    }
    if (GTK_IS_IMAGE(part) && gtk_image_get_storage_type(GTK_IMAGE(part)) == GTK_IMAGE_PIXBUF) {
      ++icons;
      EXPECT_EQ(gdk_pixbuf_get_width(gtk_image_get_pixbuf(GTK_IMAGE(part))), 16);
    }
  }
  EXPECT_EQ(titleButtons, 1);
  EXPECT_EQ(closeButtons, 1);
  EXPECT_EQ(icons, 1);

  // The window manager is asked for no frame of its own (a window manager may keep minimise and
  // maximise buttons on a fixed-size dialog it decorates) and offers moving and closing only.
  GdkWMDecoration decorations;
  EXPECT_TRUE(gdk_window_get_decorations(gtk_widget_get_window(widget), &decorations));
  EXPECT_EQ(decorations, 0);
  const std::vector<long> motif = windowProperty(widget, "_MOTIF_WM_HINTS");
  EXPECT_GE(motif.size(), 3u);
  if (motif.size() < 3) return parts;
  constexpr long kFunctionsSet = 1, kDecorationsSet = 2, kMove = 4, kClose = 32;
  EXPECT_EQ(motif[0] & (kFunctionsSet | kDecorationsSet), kFunctionsSet | kDecorationsSet);
  EXPECT_EQ(motif[1], kMove | kClose);  // not all, resize, minimise or maximise
  EXPECT_EQ(motif[2], 0);
  return parts;
}

TEST(AdvisorWindow, TheTitleBarHasACaptionAndACloseButtonOnly) {
  Opened opened;
  AdvisorWindow w("http://db.example/", kCard, "61", opened.hook());
  w.show();
  settle(w.window());
  const std::vector<GtkWidget*> parts = expectOwnTitleBar(w.window(), "Vantorel 1.0");

  // Fixed size: the whole window, title bar and frame included, is 650 x 270, and the size
  // hints hold it there.
  GdkWindow* outer = gtk_widget_get_window(w.window());
  EXPECT_EQ(gdk_window_get_width(outer), kWindowWidth);
  EXPECT_EQ(gdk_window_get_height(outer), kWindowHeight);
  const std::vector<long> hints = windowProperty(w.window(), "WM_NORMAL_HINTS");
  ASSERT_GE(hints.size(), 9u);
  constexpr long kMinSize = 16, kMaxSize = 32;
  EXPECT_EQ(hints[0] & (kMinSize | kMaxSize), kMinSize | kMaxSize);
  EXPECT_EQ(hints[5], kWindowWidth);
  EXPECT_EQ(hints[6], kWindowHeight);
  EXPECT_EQ(hints[7], kWindowWidth);
  EXPECT_EQ(hints[8], kWindowHeight);

  // The close button closes the window.
  bool closing = false;
  const gulong handler = g_signal_connect(w.window(), "delete-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer flag) -> gboolean {
    *static_cast<bool*>(flag) = true;
    return TRUE;  // the test keeps its window
  }), &closing);
  for (GtkWidget* part : parts)
    if (GTK_IS_BUTTON(part) && hasClass(part, "close")) gtk_button_clicked(GTK_BUTTON(part));
  pump();
  EXPECT_TRUE(closing);
  g_signal_handler_disconnect(w.window(), handler);
}

// The consent box and the apology box wear the window's own title bar too: a window manager that
// decorates dialogs itself gave them minimise and maximise buttons.
TEST(AdvisorWindow, TheMessageBoxesHaveACaptionAndACloseButtonOnly) {
  GtkWidget* consent = makeMessageBox(nullptr, kConsentCaption, kConsentText, true);
  g_object_ref(consent);  // kept until the test is done with it, whatever closing does
  gtk_widget_show(consent);
  settle(consent);
  const std::vector<GtkWidget*> parts = expectOwnTitleBar(consent, kConsentCaption);
  // Closing the question with its title bar's button is not a Yes.
  int answer = 0;
  g_signal_connect(consent, "response", G_CALLBACK(+[](GtkDialog*, gint response, gpointer out) {
    *static_cast<int*>(out) = response;
  }), &answer);
  for (GtkWidget* part : parts)
    if (GTK_IS_BUTTON(part) && hasClass(part, "close")) gtk_button_clicked(GTK_BUTTON(part));
  pump();
  EXPECT_EQ(answer, GTK_RESPONSE_DELETE_EVENT);
  gtk_widget_destroy(consent);
  g_object_unref(consent);

  Opened opened;
  AdvisorWindow w("http://db.example/", kCard, "61", opened.hook());
  w.show();
  settle(w.window());
  GtkWidget* apology = makeMessageBox(GTK_WINDOW(w.window()), kErrorCaption, "Sorry", false);
  gtk_widget_show(apology);
  settle(apology);
  expectOwnTitleBar(apology, "Error");
  EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(apology)), GTK_WINDOW(w.window()));
  EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(apology)));
  gtk_widget_destroy(apology);
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
      auto client = std::make_unique<SystemHttpClient>();
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
