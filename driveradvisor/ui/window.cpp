#include "ui/window.h"

#include "art/art.h"

namespace vantorel {

namespace {

// Compact controls in the desktop's default typeface at 8 points, so that fields and buttons
// fit their 20-pixel rectangles and labels their 15 pixels. Plain fields are read-only text
// on the window's background; the card field keeps a sunken frame.
constexpr char kCss[] = R"(
#vantorel-client label, #vantorel-client entry, #vantorel-client button,
#vantorel-status label { font-size: 8pt; }
#vantorel-client label { padding: 0; min-height: 0; }
#vantorel-client entry { min-height: 0; padding: 0 4px; }
#vantorel-client entry.flat { background: transparent; border-color: transparent; box-shadow: none; }
#control-100 { border-style: inset; border-width: 2px; border-radius: 0; padding: 0 3px; }
#vantorel-client button { min-height: 0; min-width: 0; padding: 0 1px; }
#vantorel-status { min-height: 0; padding: 3px 6px; border-top: 1px solid alpha(black, 0.15); }
)";

// The window draws its own title bar: a 19-pixel caption with the icon, the title and a close
// button only, inside a 3-pixel frame, so that the whole window is 650 x 270 pixels under any
// window manager. (Window managers are free to keep minimise and maximise buttons on a fixed-size
// dialog they decorate themselves, and some do.) These rules reach the title bar's buttons,
// which the toolkit makes and remakes itself, so they go to the whole screen; every selector
// names the style class of the advisor's windows (its main window and its message boxes, whose
// node is not "window").
constexpr char kFrameCss[] = R"(
.vantorel-frame decoration, .vantorel-frame.solid-csd decoration {
  margin: 0; padding: 0; border-radius: 0; box-shadow: none; border: 3px solid @borders; }
.vantorel-frame headerbar {
  min-height: 18px; padding: 0 2px; margin: 0; border-radius: 0; border-width: 0 0 1px 0; }
.vantorel-frame headerbar .title { font-size: 8pt; font-weight: bold; }
.vantorel-frame headerbar image, .vantorel-frame headerbar box { margin: 0; padding: 0; }
.vantorel-frame headerbar button.titlebutton {
  min-height: 16px; min-width: 16px; padding: 0; margin: 0; border-width: 0; }
)";

GdkPixbuf* pixbufOf(const Surface& surface) {
  return gdk_pixbuf_get_from_surface(surface.get(), 0, 0, cairo_image_surface_get_width(surface.get()),
                                     cairo_image_surface_get_height(surface.get()));
}

void applyCss(GtkWidget* widget, GtkCssProvider* css) {
  gtk_style_context_add_provider(gtk_widget_get_style_context(widget), GTK_STYLE_PROVIDER(css),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  if (GTK_IS_CONTAINER(widget)) {
    gtk_container_forall(GTK_CONTAINER(widget), [](GtkWidget* child, gpointer p) {
      applyCss(child, static_cast<GtkCssProvider*>(p));
    }, css);
  }
}

void installFrameStyle() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  GtkCssProvider* css = gtk_css_provider_new();
  gtk_css_provider_load_from_data(css, kFrameCss, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(css);  // the screen keeps it
}

GtkWidget* makeControl(const ControlSpec& item) {
  switch (item.kind) {
    case ControlKind::Picture: {
      GdkPixbuf* logo = pixbufOf(drawLogo());
      GtkWidget* picture = gtk_image_new_from_pixbuf(logo);
      g_object_unref(logo);
      return picture;
    }
    case ControlKind::Label: {
      GtkWidget* label = gtk_label_new(item.text);
      gtk_label_set_xalign(GTK_LABEL(label), 0);
      gtk_label_set_yalign(GTK_LABEL(label), 0);
      return label;
    }
    case ControlKind::Field:
    case ControlKind::SunkenField: {
      GtkWidget* field = gtk_entry_new();
      gtk_editable_set_editable(GTK_EDITABLE(field), FALSE);
      gtk_entry_set_has_frame(GTK_ENTRY(field), item.kind == ControlKind::SunkenField);
      gtk_entry_set_width_chars(GTK_ENTRY(field), 1);
      gtk_entry_set_text(GTK_ENTRY(field), item.text);
      return field;
    }
    case ControlKind::Button:
      return gtk_button_new_with_label(item.text);
  }
  return nullptr;
}

}  // namespace

void giveOwnTitleBar(GtkWindow* window, const char* title) {
  gtk_window_set_title(window, title);
  gtk_window_set_resizable(window, FALSE);
  gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);

  GList* icons = nullptr;
  for (int size : {16, 32, 48, 64}) icons = g_list_append(icons, pixbufOf(drawMonitorIcon(size)));
  gtk_window_set_icon_list(window, icons);

  installFrameStyle();
  gtk_style_context_add_class(gtk_widget_get_style_context(GTK_WIDGET(window)), kFrameStyleClass);
  GtkWidget* titleBar = gtk_header_bar_new();
  gtk_widget_set_name(titleBar, "vantorel-titlebar");
  gtk_header_bar_set_title(GTK_HEADER_BAR(titleBar), title);
  gtk_header_bar_set_has_subtitle(GTK_HEADER_BAR(titleBar), FALSE);
  // The small icon on the left, as the toolkit shows none on a dialog's own title bar.
  GtkWidget* titleIcon = gtk_image_new_from_pixbuf(GDK_PIXBUF(icons->data));
  gtk_widget_set_name(titleIcon, "vantorel-titleicon");
  gtk_header_bar_pack_start(GTK_HEADER_BAR(titleBar), titleIcon);
  g_list_free_full(icons, g_object_unref);
  gtk_header_bar_set_show_close_button(GTK_HEADER_BAR(titleBar), TRUE);
  gtk_header_bar_set_decoration_layout(GTK_HEADER_BAR(titleBar), kTitleBarLayout);
  gtk_window_set_titlebar(window, titleBar);
  gtk_widget_show_all(titleBar);
  // Moving and closing are all the window offers: window managers that read these functions
  // leave minimise, maximise and resize out of their menus and keys as well.
  g_signal_connect_after(window, "realize", G_CALLBACK(+[](GtkWidget* widget, gpointer) {
    gdk_window_set_functions(gtk_widget_get_window(widget), GdkWMFunction(GDK_FUNC_MOVE | GDK_FUNC_CLOSE));
  }), nullptr);
}

GtkWidget* makeMessageBox(GtkWindow* parent, const char* caption, const char* text, bool yesNo) {
  GtkWidget* box = gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, yesNo ? GTK_MESSAGE_QUESTION : GTK_MESSAGE_OTHER,
                                          yesNo ? GTK_BUTTONS_YES_NO : GTK_BUTTONS_OK, "%s", text);
  giveOwnTitleBar(GTK_WINDOW(box), caption);
  gtk_window_set_position(GTK_WINDOW(box), parent ? GTK_WIN_POS_CENTER_ON_PARENT : GTK_WIN_POS_CENTER);
  return box;
}

AdvisorWindow::AdvisorWindow(std::string server, std::string card, std::string os, OpenPage openPage)
    : server_(std::move(server)), card_(std::move(card)), os_(std::move(os)), openPage_(std::move(openPage)) {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  g_object_ref_sink(window_);
  gtk_window_move(GTK_WINDOW(window_), kWindowX, kWindowY);
  giveOwnTitleBar(GTK_WINDOW(window_), kWindowTitle);
  gtk_widget_set_size_request(gtk_window_get_titlebar(GTK_WINDOW(window_)), -1, kTitleBarHeight);

  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_widget_set_size_request(box, kClientWidth, kClientHeight);
  gtk_container_add(GTK_CONTAINER(window_), box);

  GtkWidget* fixed = gtk_fixed_new();
  gtk_widget_set_name(fixed, "vantorel-client");
  gtk_widget_set_vexpand(fixed, TRUE);
  gtk_box_pack_start(GTK_BOX(box), fixed, TRUE, TRUE, 0);
  for (const ControlSpec& item : kControls) {
    GtkWidget* widget = makeControl(item);
    gtk_widget_set_size_request(widget, item.rect.width, item.rect.height);
    gtk_fixed_put(GTK_FIXED(fixed), widget, item.rect.x, item.rect.y);
    if (item.id == kNoId) continue;
    gtk_widget_set_name(widget, ("control-" + std::to_string(item.id)).c_str());
    controls_[item.id] = widget;
    if (item.kind == ControlKind::Button) g_signal_connect(widget, "clicked", G_CALLBACK(onButton), this);
  }

  GtkWidget* status = gtk_statusbar_new();
  gtk_widget_set_name(status, "vantorel-status");
  // The toolkit's status bar keeps a wide margin of its own; this one runs along the edges.
  gtk_widget_set_margin_start(status, 0);
  gtk_widget_set_margin_end(status, 0);
  gtk_widget_set_margin_top(status, 0);
  gtk_widget_set_margin_bottom(status, 0);
  gtk_statusbar_push(GTK_STATUSBAR(status), gtk_statusbar_get_context_id(GTK_STATUSBAR(status), "notice"),
                     kStatusNotice);
  gtk_box_pack_end(GTK_BOX(box), status, FALSE, FALSE, 0);
  controls_[kStatusBar] = status;

  GtkCssProvider* css = gtk_css_provider_new();
  gtk_css_provider_load_from_data(css, kCss, -1, nullptr);
  applyCss(window_, css);
  g_object_unref(css);

  gtk_widget_set_sensitive(control(kVisitButton), FALSE);
  gtk_widget_set_sensitive(control(kDownloadButton), FALSE);
  setField(kCardField, card_);
  gtk_widget_show_all(box);

  gtk_widget_realize(window_);
}

AdvisorWindow::~AdvisorWindow() {
  gtk_widget_destroy(window_);
  g_object_unref(window_);
}

void AdvisorWindow::show() {
  gtk_widget_show(window_);
  gtk_window_set_focus(GTK_WINDOW(window_), nullptr);
}

GtkWidget* AdvisorWindow::control(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

std::string AdvisorWindow::text(int id) const {
  GtkWidget* widget = control(id);
  if (GTK_IS_ENTRY(widget)) return gtk_entry_get_text(GTK_ENTRY(widget));
  if (GTK_IS_BUTTON(widget)) return gtk_button_get_label(GTK_BUTTON(widget));
  return {};
}

void AdvisorWindow::setField(int id, const std::string& text) {
  gtk_entry_set_text(GTK_ENTRY(control(id)), text.c_str());
}

void AdvisorWindow::showOutcome(const QueryOutcome& outcome, const Message& message) {
  const OutcomeView view = viewOf(outcome);
  if (view.apology) message(kApologyText);
  for (const auto& [id, text] : view.fields) setField(id, text);
  if (view.enableVisit) gtk_widget_set_sensitive(control(kVisitButton), TRUE);
}

void AdvisorWindow::onButton(GtkButton* button, gpointer data) {
  auto* self = static_cast<AdvisorWindow*>(data);
  for (int id : {kVisitButton, kDirectXButton, kUpdateButton}) {
    if (GTK_WIDGET(button) != self->control(id)) continue;
    self->openPage_(GTK_WINDOW(self->window_), pageFor(id, self->server_, self->card_, self->os_));
  }
}

}  // namespace vantorel
