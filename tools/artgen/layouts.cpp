// The stored hotspot layouts of the main menu ("GUI1") and the new-manager screen ("GUI2"):
// 24-byte records (nine little-endian 16-bit fields and six spare bytes), record 0 first, in
// the text-mode form in which every stored 0x0A byte is preceded by 0x0D.
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "artgen.h"

namespace art {

namespace {

struct Hot {
  int srcX, srcY, width, height, x, y, state, mode, slot;
};

void writeLayout(const std::string& path, const std::vector<Hot>& hots) {
  std::vector<uint8_t> raw;
  for (const Hot& h : hots) {
    int f[9] = {h.srcX, h.srcY, h.width, h.height, h.x, h.y, h.state, h.mode, h.slot};
    for (int v : f) {
      raw.push_back(static_cast<uint8_t>(v & 255));
      raw.push_back(static_cast<uint8_t>((v >> 8) & 255));
    }
    for (int i = 0; i < 6; ++i) raw.push_back(0);
  }
  std::vector<uint8_t> stored;
  for (uint8_t b : raw) {
    if (b == 0x0A) stored.push_back(0x0D);
    stored.push_back(b);
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + path);
  std::fwrite(stored.data(), 1, stored.size(), f);
  std::fclose(f);
}

}  // namespace

void makeLayouts() {
  // Record 0 is never tested: inactive and empty.
  const Hot none{0, 0, 0, 0, 0, 0, -1, 0, 0};
  std::vector<Hot> menu = {none};
  int hx[4] = {0, 240, 480, 0}, hy[4] = {600, 600, 600, 646};
  for (int i = 0; i < 4; ++i) menu.push_back(Hot{hx[i], hy[i], 240, 46, 280, 240 + 56 * i, 1, 1, 0});
  writeLayout(opt.dataDir + "/GUI1", menu);
  std::vector<Hot> create = {none};
  int bx[3] = {40, 320, 600};
  for (int i = 0; i < 3; ++i) create.push_back(Hot{170 * i, 600, 160, 36, bx[i], 492, 1, 1, 5});
  writeLayout(opt.dataDir + "/GUI2", create);
}

}  // namespace art
