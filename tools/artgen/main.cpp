// brawnmoor-artgen: draws every picture of the game into the data folder's gfx/, writes the
// stored hotspot layouts "GUI1" and "GUI2" beside them, and, when asked, the review images
// (contact sheet and region overlays) and the region tables of docs/assets.md.
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "artgen.h"

namespace {
void makeDirs(const std::string& path) {
  std::string cur;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') {
      if (!cur.empty()) mkdir(cur.c_str(), 0755);
    }
    if (i < path.size()) cur += path[i];
  }
}

void printMarkdown() {
  using namespace art;
  for (const PictureInfo& p : pictures()) {
    std::string shows = p.shows;
    if (!shows.empty() && shows[0] >= 'a' && shows[0] <= 'z') shows[0] = static_cast<char>(shows[0] - 32);
    std::printf("\n### \"%s\" — %d × %d\n\n%s. Used by: %s.\n\n", p.name.c_str(), p.w, p.h,
                shows.c_str(), p.usedBy.c_str());
    bool any = false;
    for (const Region& r : regions()) {
      if (r.picture != p.name) continue;
      if (!any) std::printf("| region | at | size | drawn where |\n|---|---|---|---|\n");
      any = true;
      std::printf("| %s | (%d, %d) | %d × %d | %s |\n", r.name.c_str(), r.x, r.y, r.w, r.h,
                  r.screen.c_str());
    }
  }
}
}  // namespace

int main(int argc, char** argv) {
  using namespace art;
  bool markdown = false;
  std::string mockups, icons;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto next = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "%s needs a value\n", a.c_str());
        std::exit(2);
      }
      return argv[++i];
    };
    if (a == "--data") opt.dataDir = next();
    else if (a == "--docs") opt.docsDir = next();
    else if (a == "--heading-font") opt.headingFont = next();
    else if (a == "--regular-font") opt.regularFont = next();
    else if (a == "--text-font") opt.textFont = next();
    else if (a == "--markdown") markdown = true;
    else if (a == "--mockups") mockups = next();
    else if (a == "--icons") icons = next();
    else {
      std::fprintf(stderr,
                   "usage: brawnmoor-artgen --data DIR --heading-font TTF --regular-font TTF "
                   "--text-font TTF [--docs DIR] [--markdown] [--mockups DIR] [--icons DIR]\n");
      return 2;
    }
  }
  if (opt.dataDir.empty() || opt.headingFont.empty() || opt.regularFont.empty() ||
      opt.textFont.empty()) {
    std::fprintf(stderr, "brawnmoor-artgen: --data and the three typefaces are required\n");
    return 2;
  }
  auto start = std::chrono::steady_clock::now();
  try {
    opt.gfxDir = opt.dataDir + "/gfx";
    makeDirs(opt.gfxDir);
    makeFonts();
    makeShell();
    makeFight();
    makeLayouts();
    if (!opt.docsDir.empty()) {
      makeDirs(opt.docsDir);
      makeReview();
    }
    if (!mockups.empty()) {
      makeDirs(mockups);
      makeMockups(mockups);
    }
    if (!icons.empty()) {
      makeDirs(icons);
      makeIcons(icons);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "brawnmoor-artgen: %s\n", e.what());
    return 1;
  }
  double secs =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (markdown) printMarkdown();
  std::printf("brawnmoor-artgen: %zu pictures and 2 layout files written to %s in %.2f s\n",
              made.size(), opt.dataDir.c_str(), secs);
  return 0;
}
