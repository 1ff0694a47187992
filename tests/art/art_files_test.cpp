// The generated pictures as the game will read them: each file the game names exists in
// data/gfx, decodes, has the size docs/assets.md gives, and holds every region the game reads;
// the font pictures hold every glyph of their tables, with ink; the stored layouts GUI1 and GUI2
// decode and point at hover images that differ visibly from what lies under them.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "ui/fonttables.h"

namespace {

const std::string kData = BRAWNMOOR_DATA;
const std::string kGfx = kData + "/gfx/";

struct Image {
  int w = 0, h = 0;
  std::vector<unsigned char> rgba;  // straight alpha, top row first
  const unsigned char* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * w + x) * 4]; }
};

std::vector<unsigned char> readFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<unsigned char>((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

bool decodePng(const std::string& path, Image& img) {
  png_image p{};
  p.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&p, path.c_str())) return false;
  p.format = PNG_FORMAT_RGBA;
  img.w = static_cast<int>(p.width);
  img.h = static_cast<int>(p.height);
  img.rgba.resize(PNG_IMAGE_SIZE(p));
  bool ok = png_image_finish_read(&p, nullptr, img.rgba.data(), 0, nullptr) != 0;
  png_image_free(&p);
  return ok;
}

struct JpegError {
  jpeg_error_mgr mgr;
};
void jpegFail(j_common_ptr cinfo) { throw static_cast<JpegError*>(static_cast<void*>(cinfo->err)); }

bool decodeJpeg(const std::string& path, Image& img) {
  std::vector<unsigned char> bytes = readFile(path);
  if (bytes.empty()) return false;
  jpeg_decompress_struct cinfo;
  JpegError err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = jpegFail;
  try {
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    img.w = static_cast<int>(cinfo.output_width);
    img.h = static_cast<int>(cinfo.output_height);
    img.rgba.assign(static_cast<size_t>(img.w) * img.h * 4, 255);
    std::vector<unsigned char> row(static_cast<size_t>(img.w) * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
      int y = static_cast<int>(cinfo.output_scanline);
      JSAMPROW rp = row.data();
      jpeg_read_scanlines(&cinfo, &rp, 1);
      for (int x = 0; x < img.w; ++x)
        for (int k = 0; k < 3; ++k) img.rgba[(static_cast<size_t>(y) * img.w + x) * 4 + k] = row[x * 3 + k];
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
  } catch (JpegError*) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
}

// Uncompressed 24- or 32-bit true-colour TGA, either row order.
bool decodeTga(const std::string& path, Image& img) {
  std::vector<unsigned char> b = readFile(path);
  if (b.size() < 18 || b[2] != 2 || (b[16] != 32 && b[16] != 24)) return false;
  int idLen = b[0], bpp = b[16] / 8;
  img.w = b[12] | (b[13] << 8);
  img.h = b[14] | (b[15] << 8);
  bool topDown = (b[17] & 0x20) != 0;
  size_t need = 18 + idLen + static_cast<size_t>(img.w) * img.h * bpp;
  if (b.size() < need) return false;
  img.rgba.resize(static_cast<size_t>(img.w) * img.h * 4);
  const unsigned char* src = b.data() + 18 + idLen;
  for (int r = 0; r < img.h; ++r) {
    int y = topDown ? r : img.h - 1 - r;
    for (int x = 0; x < img.w; ++x) {
      const unsigned char* s = src + (static_cast<size_t>(r) * img.w + x) * bpp;
      unsigned char* o = &img.rgba[(static_cast<size_t>(y) * img.w + x) * 4];
      o[0] = s[2];
      o[1] = s[1];
      o[2] = s[0];
      o[3] = bpp == 4 ? s[3] : 255;
    }
  }
  return true;
}

bool endsWith(const std::string& s, const std::string& e) {
  return s.size() >= e.size() && s.compare(s.size() - e.size(), e.size(), e) == 0;
}

const Image& load(const std::string& name) {
  static std::map<std::string, Image> cache;
  auto it = cache.find(name);
  if (it != cache.end()) return it->second;
  Image img;
  std::string path = kGfx + name;
  bool ok = endsWith(name, ".png") ? decodePng(path, img)
            : endsWith(name, ".jpg") ? decodeJpeg(path, img)
            : endsWith(name, ".tga") ? decodeTga(path, img)
                                     : false;
  if (!ok) img = Image{};
  return cache[name] = img;
}

// Every picture file the game loads by name.
const std::vector<std::string> kNamed = {
    "tinyfont.png", "font2.png", "pointer.tga", "Pointer2.tga", "Pointer_s.tga", "launcher.png",
    "hvlogo.jpg", "window1.png", "window2.png", "window3.png", "mainmenu.jpg", "Lumora.tga",
    "menu.jpg", "create.jpg", "PANLEFT01.jpg", "PANRIGHT02.jpg", "SKILLPOINT.png", "STAR.tga",
    "CALENDAR.jpg", "tutorial.jpg", "ringback.jpg", "PANRIGHT01.jpg", "RANKS.jpg", "STARLET.jpg",
    "FIGHT.jpg", "DOWN.png", "LOADSAVE.jpg", "text-only.png", "BOXERS.png", "random01.jpg",
    "random02.jpg", "random03.jpg", "random04.jpg", "VICTORY.jpg", "LOST.jpg", "DRAW.jpg",
    "OPTIONS.png"};

struct Rect {
  std::string picture;
  int x, y, w, h;
};

// Rectangles that the screens read at fixed places (source rectangles of hotspots and drawings).
std::vector<Rect> fixedRegions() {
  std::vector<Rect> r = {
      {"launcher.png", 0, 0, 400, 300},   {"launcher.png", 40, 310, 15, 15},
      {"launcher.png", 5, 305, 21, 23},   {"launcher.png", 69, 304, 100, 30},
      {"menu.jpg", 0, 0, 800, 600},       {"menu.jpg", 922, 209, 18, 20},
      {"menu.jpg", 941, 209, 18, 20},     {"menu.jpg", 920, 233, 96, 22},
      {"menu.jpg", 920, 254, 96, 22},     {"menu.jpg", 657, 958, 96, 22},
      {"menu.jpg", 378, 680, 21, 21},     {"menu.jpg", 400, 680, 21, 21},
      {"menu.jpg", 344, 712, 85, 18},     {"menu.jpg", 344, 732, 85, 18},
      {"menu.jpg", 344, 752, 84, 18},     {"menu.jpg", 922, 284, 88, 20},
      {"menu.jpg", 922, 305, 88, 20},     {"menu.jpg", 0, 1015, 375, 9},
      {"menu.jpg", 1000, 0, 5, 110},      {"menu.jpg", 453, 841, 375, 118},
      {"menu.jpg", 328, 712, 11, 12},     {"menu.jpg", 459, 815, 106, 16},
      {"menu.jpg", 331, 959, 327, 53},    {"menu.jpg", 331, 977, 327, 36},
      {"PANRIGHT01.jpg", 43, 408, 132, 20}, {"PANRIGHT01.jpg", 188, 408, 132, 20},
      {"PANRIGHT01.jpg", 333, 408, 132, 20}, {"RANKS.jpg", 0, 0, 375, 390},
      {"RANKS.jpg", 0, 390, 375, 60},     {"RANKS.jpg", 411, 37, 25, 25},
      {"RANKS.jpg", 384, 37, 25, 25},     {"RANKS.jpg", 381, 199, 25, 24},
      {"RANKS.jpg", 481, 199, 25, 24},    {"LOADSAVE.jpg", 0, 0, 300, 400},
      {"LOADSAVE.jpg", 0, 405, 271, 20},  {"create.jpg", 0, 0, 800, 600},
      {"create.jpg", 619, 600, 10, 8},    {"mainmenu.jpg", 0, 0, 800, 600},
      {"SKILLPOINT.png", 0, 0, 16, 16},   {"SKILLPOINT.png", 0, 15, 18, 24},
      {"SKILLPOINT.png", 18, 15, 20, 24}, {"pointer.tga", 0, 0, 32, 32},
      {"Pointer2.tga", 0, 0, 32, 32},     {"Pointer_s.tga", 0, 0, 32, 32},
      {"ringback.jpg", 0, 0, 800, 600},   {"FIGHT.jpg", 0, 0, 800, 600},
      {"VICTORY.jpg", 0, 0, 800, 600},    {"LOST.jpg", 0, 0, 800, 600},
      {"DRAW.jpg", 0, 0, 800, 600}};
  for (int i = 0; i < 6; ++i) r.push_back({"menu.jpg", 75 * i, 600, 76, 76});
  for (int k = 0; k < 6; ++k) r.push_back({"menu.jpg", 800, 33 * k, 199, 33});
  for (int i = 0; i < 4; ++i) r.push_back({"menu.jpg", 920, 338 + 30 * i, 101, 26});
  for (int c = 1; c <= 3; ++c) r.push_back({"menu.jpg", 0, 621 + 55 * c, 322, 54});
  for (int i = 0; i < 4; ++i) r.push_back({"LOADSAVE.jpg", 318, 33 * i, 158, 32});
  // The options screen and its buttons on the main menu and the save/load panel.
  r.push_back({"mainmenu.jpg", 240, 646, 240, 46});
  r.push_back({"OPTIONS.png", 0, 0, 800, 600});
  for (int i = 0; i < 4; ++i) {
    r.push_back({"OPTIONS.png", 90 * i, 600, 90, 26});
    r.push_back({"OPTIONS.png", 120 * i, 630, 120, 26});
  }
  r.push_back({"OPTIONS.png", 480, 630, 96, 24});
  r.push_back({"OPTIONS.png", 0, 660, 480, 14});
  r.push_back({"OPTIONS.png", 480, 656, 24, 22});
  r.push_back({"OPTIONS.png", 0, 684, 320, 34});
  for (int n = 1; n <= 3; ++n) r.push_back({"window" + std::to_string(n) + ".png", 0, 0, 256, 256});
  return r;
}

bool inside(const Image& img, int x, int y, int w, int h) {
  return x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= img.w && y + h <= img.h;
}

// Mean absolute difference of the colours of two equally sized rectangles.
double difference(const Image& a, int ax, int ay, const Image& b, int bx, int by, int w, int h) {
  double sum = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (int k = 0; k < 3; ++k) sum += std::abs(a.at(ax + x, ay + y)[k] - b.at(bx + x, by + y)[k]);
  return sum / (w * h * 3.0);
}

struct DocPicture {
  std::string name;
  int w, h;
  std::vector<Rect> regions;
};

std::vector<DocPicture> readDoc() {
  std::ifstream f(BRAWNMOOR_ASSETS_DOC);
  std::vector<DocPicture> out;
  std::regex head(R"re(^### "([^"]+)" — (\d+) × (\d+)\s*$)re");
  std::regex row(R"re(^\| [^|]+ \| \((\d+), (\d+)\) \| (\d+) × (\d+) \|)re");
  std::string line;
  std::smatch m;
  while (std::getline(f, line)) {
    if (std::regex_match(line, m, head)) {
      out.push_back({m[1], std::stoi(m[2]), std::stoi(m[3]), {}});
    } else if (!out.empty() && std::regex_search(line, m, row)) {
      out.back().regions.push_back({out.back().name, std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4])});
    }
  }
  return out;
}

TEST(ArtFiles, EveryNamedPictureDecodesWithTheDocumentedSize) {
  std::vector<DocPicture> doc = readDoc();
  ASSERT_FALSE(doc.empty()) << "no picture sections in docs/assets.md";
  for (const std::string& name : kNamed) {
    const DocPicture* d = nullptr;
    for (const DocPicture& p : doc)
      if (p.name == name) d = &p;
    ASSERT_NE(d, nullptr) << name << " is not documented in docs/assets.md";
    const Image& img = load(name);
    ASSERT_GT(img.w, 0) << name << " is missing or does not decode";
    EXPECT_EQ(img.w, d->w) << name;
    EXPECT_EQ(img.h, d->h) << name;
  }
}

TEST(ArtFiles, EveryDocumentedRegionLiesInsideItsPicture) {
  int count = 0;
  for (const DocPicture& p : readDoc()) {
    const Image& img = load(p.name);
    ASSERT_GT(img.w, 0) << p.name << " does not decode";
    for (const Rect& r : p.regions) {
      ++count;
      EXPECT_TRUE(inside(img, r.x, r.y, r.w, r.h))
          << p.name << ": (" << r.x << ", " << r.y << ") " << r.w << " x " << r.h;
    }
  }
  EXPECT_GT(count, 100);
}

TEST(ArtFiles, EveryRegionTheScreensReadLiesInsideItsPicture) {
  for (const Rect& r : fixedRegions()) {
    const Image& img = load(r.picture);
    ASSERT_GT(img.w, 0) << r.picture;
    EXPECT_TRUE(inside(img, r.x, r.y, r.w, r.h))
        << r.picture << ": (" << r.x << ", " << r.y << ") " << r.w << " x " << r.h;
  }
}

TEST(ArtFiles, PicturesFitWhereTheyAreDrawn) {
  // Stars are cut in thirds of 10 pixels; the logos and pop-ups stay on the 800 x 600 screen.
  EXPECT_EQ(load("STAR.tga").w, 30);
  EXPECT_LE(load("Lumora.tga").w, 800 - 735);
  EXPECT_LE(load("hvlogo.jpg").w, 600);
  EXPECT_LE(load("hvlogo.jpg").h, 380 - 150);  // above the loading line
  EXPECT_LE(load("CALENDAR.jpg").w, 800 - 272);
  EXPECT_GE(load("CALENDAR.jpg").h, 408 - 172);  // the pop-up's last text line lies on it
  EXPECT_GE(load("tutorial.jpg").w, 705 - 470);  // the text column 485..705
  EXPECT_LE(load("tutorial.jpg").w + 470, 800);
  // Figure sheets: enough frames for every pose.
  const Image& boxers = load("BOXERS.png");
  EXPECT_GE((boxers.w / 125) * (boxers.h / 125), 52);
  const Image& down = load("DOWN.png");
  EXPECT_GE((down.w / 160) * (down.h / 260), 16);
}

void checkFont(const GlyphRecord* table, const std::string& name) {
  const Image& img = load(name);
  ASSERT_GT(img.w, 0) << name;
  int glyphs = 0;
  for (const GlyphRecord* g = table; g->character; ++g) {
    int w = g->x2 - g->x1 + 1, h = g->y2 - g->y1 + 1;
    EXPECT_TRUE(inside(img, g->x1, g->y1, w, h)) << name << " glyph " << int(g->character);
    if (g->character == ' ' || !inside(img, g->x1, g->y1, w, h)) continue;
    ++glyphs;
    int ink = 0;
    for (int y = g->y1; y <= g->y2; ++y)
      for (int x = g->x1; x <= g->x2; ++x)
        if (img.at(x, y)[3] > 128 && img.at(x, y)[0] > 128) ++ink;
    EXPECT_GT(ink, 0) << name << ": no ink in glyph " << int(g->character);
  }
  EXPECT_GT(glyphs, 0);
}

TEST(ArtFiles, FontPicturesHoldEveryGlyphWithInk) {
  checkFont(smallFontTable, "tinyfont.png");
  checkFont(digitFontTable, "font2.png");
}

// Reads a stored layout, undoing the text-mode translation (0x0D before 0x0A is dropped,
// 0x1A ends the file).
std::vector<std::array<int, 9>> readLayout(const std::string& path) {
  std::vector<unsigned char> b = readFile(path), raw;
  for (size_t i = 0; i < b.size(); ++i) {
    if (b[i] == 0x1A) break;
    if (b[i] == 0x0D && i + 1 < b.size() && b[i + 1] == 0x0A) continue;
    raw.push_back(b[i]);
  }
  std::vector<std::array<int, 9>> recs;
  if (raw.size() % 24) return recs;
  for (size_t r = 0; r < raw.size() / 24; ++r) {
    std::array<int, 9> f;
    for (int k = 0; k < 9; ++k) f[k] = static_cast<int16_t>(raw[r * 24 + 2 * k] | (raw[r * 24 + 2 * k + 1] << 8));
    recs.push_back(f);
  }
  return recs;
}

void checkLayout(const std::string& file, size_t count, int slot, const std::string& picture) {
  std::vector<unsigned char> stored = readFile(kData + "/" + file);
  ASSERT_FALSE(stored.empty()) << file << " is missing";
  for (size_t i = 0; i < stored.size(); ++i)
    if (stored[i] == 0x0A) {
      EXPECT_TRUE(i > 0 && stored[i - 1] == 0x0D) << file << ": bare 0x0A at " << i;
    }
  auto recs = readLayout(kData + "/" + file);
  ASSERT_EQ(recs.size(), count) << file;
  EXPECT_EQ(recs[0][6], -1) << "record 0 is never tested and stays inactive";
  const Image& img = load(picture);
  ASSERT_GT(img.w, 0);
  for (size_t i = 1; i < recs.size(); ++i) {
    auto& h = recs[i];
    EXPECT_EQ(h[6], 1) << file << " record " << i << " state";
    EXPECT_EQ(h[7], 1) << file << " record " << i << " highlight mode";
    EXPECT_EQ(h[8], slot) << file << " record " << i << " picture slot";
    ASSERT_TRUE(inside(img, h[0], h[1], h[2], h[3])) << file << " record " << i << " source";
    ASSERT_TRUE(h[4] >= 0 && h[5] >= 0 && h[4] + h[2] <= 800 && h[5] + h[3] <= 600) << file << " record " << i;
    // The hover image lies outside the visible screen and differs clearly from the button
    // drawn in the background at the hotspot.
    EXPECT_GE(h[1], 600) << file << " record " << i;
    EXPECT_GT(difference(img, h[0], h[1], img, h[4], h[5], h[2], h[3]), 10.0) << file << " record " << i;
    for (size_t j = 1; j < i; ++j) {
      auto& o = recs[j];
      bool apart = h[4] + h[2] <= o[4] || o[4] + o[2] <= h[4] || h[5] + h[3] <= o[5] || o[5] + o[3] <= h[5];
      EXPECT_TRUE(apart) << file << ": records " << j << " and " << i << " overlap";
    }
  }
}

TEST(ArtFiles, MainMenuLayoutMatchesItsPicture) { checkLayout("GUI1", 5, 0, "mainmenu.jpg"); }
TEST(ArtFiles, NewManagerLayoutMatchesItsPicture) { checkLayout("GUI2", 4, 5, "create.jpg"); }

TEST(ArtFiles, TabHoverImagesDifferFromTheTabBar) {
  const Image& img = load("menu.jpg");
  ASSERT_GT(img.w, 0);
  for (int i = 0; i < 6; ++i)
    EXPECT_GT(difference(img, 75 * i, 600, img, 25 + 75 * i, 19, 76, 75), 10.0) << "tab " << i + 1;
}

TEST(ArtFiles, OptionsButtonsShowTheirHoverAndTheirChoice) {
  // The OPTIONS buttons: the hover image differs from the button the picture shows.
  const Image& menu = load("mainmenu.jpg");
  ASSERT_GT(menu.w, 0);
  EXPECT_GT(difference(menu, 240, 646, menu, 280, 464, 240, 46), 10.0) << "main menu";
  const Image& panel = load("LOADSAVE.jpg");
  ASSERT_GT(panel.w, 0);
  EXPECT_GT(difference(panel, 318, 99, panel, 125, 359, 158, 32), 10.0) << "save/load";
  // The options screen's images: each state of a choice button differs from the others, the
  // bar's fill from the bar, and everything below the screen stands on a transparent ground.
  const Image& img = load("OPTIONS.png");
  ASSERT_GT(img.w, 0);
  for (int w : {90, 120}) {
    const int y = w == 90 ? 600 : 630;
    for (int a = 0; a < 4; ++a)
      for (int b = a + 1; b < 4; ++b)
        EXPECT_GT(difference(img, w * a, y, img, w * b, y, w, 26), 6.0) << w << ": " << a << " and " << b;
    EXPECT_EQ(img.at(w == 90 ? 4 * w + 2 : 700, y + 13)[3], 0) << "beside the buttons";
    EXPECT_EQ(img.at(w / 2, y + 13)[3], 255) << "inside a button";
  }
  EXPECT_GT(difference(img, 0, 660, img, 240, 660, 240, 14), 30.0);
  EXPECT_GT(difference(img, 0, 684, img, 160, 684, 160, 34), 6.0);
  EXPECT_EQ(img.at(700, 700)[3], 0);
  EXPECT_EQ(img.at(400, 300)[3], 255);
}

TEST(ArtFiles, LauncherHoverShowsMoreThanTheAlwaysDrawnImages) {
  // The check box and the start button are drawn with their alpha all the time and opaque when
  // hovered: their rims are transparent but coloured, so the hover adds a visible glow.
  const Image& img = load("launcher.png");
  ASSERT_GT(img.w, 0);
  EXPECT_EQ(img.at(40, 310)[3], 0);
  EXPECT_GT(img.at(40, 310)[0] + img.at(40, 310)[1], 300);
  EXPECT_EQ(img.at(47, 317)[3], 255);
  EXPECT_EQ(img.at(69, 304)[3], 0);
  EXPECT_EQ(img.at(119, 319)[3], 255);
  // The tick is drawn with its alpha: transparent corners, opaque strokes.
  EXPECT_EQ(img.at(5, 305)[3], 0);
  int opaque = 0;
  for (int y = 305; y < 328; ++y)
    for (int x = 5; x < 26; ++x) opaque += img.at(x, y)[3] == 255;
  EXPECT_GT(opaque, 40);
}

TEST(ArtFiles, NinePieceFramesTile) {
  // The inside next to the corners is what the boxes repeat: it must be even, or the tiles
  // would show seams.
  for (int n = 1; n <= 3; ++n) {
    const Image& img = load("window" + std::to_string(n) + ".png");
    ASSERT_EQ(img.w, 256);
    EXPECT_LT(difference(img, 20, 20, img, 120, 120, 100, 100), 6.0) << "window" << n;
    EXPECT_EQ(img.at(128, 128)[3], 255) << "window" << n;
  }
}

}  // namespace
