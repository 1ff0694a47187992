// brawnmoor-boxerart: builds the 38 boxers (meshes "boxer%02d.K3D" with their ASE-style text
// exports, the game's model "boxer01.k3d", the skins "gfx/boxer%02d.jpg" and the photos
// "gfx/xboxer%02d.jpg"), the fight screen's figure sheets "gfx/BOXERS.png" and "gfx/DOWN.png"
// rendered from the posed body, and the fight and corner screens' pictures, and, when asked,
// the review sheets for docs/.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "body.h"
#include "boxers.h"
#include "fightart.h"
#include "figures.h"
#include "meshio.h"
#include "paint.h"
#include "photo.h"
#include "review.h"
#include "skin.h"

namespace {

using namespace boxerart;

std::string numbered(const char* pattern, int face) {
  char buf[64];
  std::snprintf(buf, sizeof buf, pattern, face);
  return buf;
}

void usage() {
  std::fprintf(stderr,
               "usage: brawnmoor-boxerart --data DIR --heading-font TTF --regular-font TTF "
               "[--docs DIR]\n");
}

}  // namespace

int main(int argc, char** argv) {
  std::string dataDir, docsDir, headingFont, regularFont;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (i + 1 >= argc) {
      usage();
      return 2;
    }
    if (a == "--data") dataDir = argv[++i];
    else if (a == "--docs") docsDir = argv[++i];
    else if (a == "--heading-font") headingFont = argv[++i];
    else if (a == "--regular-font") regularFont = argv[++i];
    else {
      usage();
      return 2;
    }
  }
  if (dataDir.empty() || headingFont.empty() || regularFont.empty()) {
    usage();
    return 2;
  }
  auto start = std::chrono::steady_clock::now();
  try {
    const std::string gfx = dataDir + "/gfx";
    makeDirs(gfx);
    setFonts(headingFont, regularFont);

    // The boxers, one per worker at a time; each writes only its own files.
    const Image backdrop = studioBackdrop(kPhotoSize);
    std::vector<Image> photos(kBoxerCount), lineup(kBoxerCount);
    const bool review = !docsDir.empty();
    Body firstBody;
    Skin firstSkin;
    std::atomic<int> next{1};
    std::mutex failMutex;
    std::string failure;
    auto work = [&] {
      for (int face = next++; face <= kBoxerCount; face = next++) {
        try {
          const Look& L = look(face);
          Body body = buildBody(L);
          Skin skin = paintSkin(L);
          const std::string skinName = numbered("boxer%02d.jpg", face);
          writeJpeg(skin.colour, gfx + "/" + skinName, 92, true);
          KMesh mesh = toKMesh(body, skinName);
          writeK3D(dataDir + "/" + numbered("boxer%02d.K3D", face), mesh);
          writeText(dataDir + "/" + numbered("boxer%02d.ASE", face),
                    aseText(body, numbered("boxer%02d", face), skinName));
          Image ph = photo(body, skin, backdrop);
          writeJpeg(ph, gfx + "/" + numbered("xboxer%02d.jpg", face), 92, false);
          photos[size_t(face - 1)] = std::move(ph);
          if (review) lineup[size_t(face - 1)] = lineupTile(body, skin);
          if (face == 1) {
            // The game's own model, with its skin beside it so that the mesh's texture name
            // resolves wherever the mesh is loaded from.
            writeK3D(dataDir + "/boxer01.k3d", mesh);
            copyFile(gfx + "/" + skinName, dataDir + "/" + skinName);
            firstBody = std::move(body);
            firstSkin = std::move(skin);
          }
        } catch (const std::exception& e) {
          std::lock_guard<std::mutex> lock(failMutex);
          if (failure.empty()) failure = e.what();
        }
      }
    };
    unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    std::vector<std::thread> pool;
    for (unsigned i = 0; i < workers; ++i) pool.emplace_back(work);
    for (std::thread& t : pool) t.join();
    if (!failure.empty()) throw std::runtime_error(failure);

    int pictures = makeFightArt(gfx);
    const FigureSheets sheets = makeFigureSheets(gfx);
    pictures += 2;

    if (review) {
      makeDirs(docsDir);
      writeReviewSheets(docsDir, gfx, photos, lineup, firstBody, firstSkin);
      writeFigureReview(sheets, docsDir + "/fight-figures.png");
    }
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("brawnmoor-boxerart: %d boxers (meshes, skins, photos) and %d fight pictures "
                "written to %s in %.2f s\n",
                kBoxerCount, pictures, dataDir.c_str(), secs);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "brawnmoor-boxerart: %s\n", e.what());
    return 1;
  }
  return 0;
}
