#include "ui/hotspots.h"

#include <cstdio>
#include <cstring>

#include "tools/KFileReader.h"
#include "tools/KTools.h"

Hotspot hotspots[kHotspotTableSize];
int16_t hotspotCount;
int16_t hovered;
int16_t lastHovered = -1;
uint8_t mouseDown;
int16_t mouseX, mouseY;

namespace {
int usedHotspots() {
  return hotspotCount < 0 ? 0 : hotspotCount > kHotspotTableSize ? kHotspotTableSize : hotspotCount;
}
}  // namespace

void setHotspot(int index, int srcX, int srcY, int width, int height, int x, int y, int state,
                int highlightMode, int pictureSlot) {
  if (index < 0 || index >= kHotspotTableSize) return;
  Hotspot& h = hotspots[index];
  h.srcX = int16_t(srcX);
  h.srcY = int16_t(srcY);
  h.width = int16_t(width);
  h.height = int16_t(height);
  h.x = int16_t(x);
  h.y = int16_t(y);
  h.state = int16_t(state);
  h.highlightMode = int16_t(highlightMode);
  h.pictureSlot = int16_t(pictureSlot);
}

void resetHotspots() {
  hovered = 0;
  lastHovered = -1;
  for (Hotspot& h : hotspots) h.state = -1;
}

int hotspotAt(int px, int py) {
  for (int i = 1; i < usedHotspots(); ++i) {
    const Hotspot& h = hotspots[i];
    if (h.state >= 0 && pointInRect(px, py, h.x, h.y, h.x + h.width, h.y + h.height)) return i;
  }
  return 0;
}

bool updateHover(int px, int py) {
  if (hovered > 0) lastHovered = hovered;
  hovered = int16_t(hotspotAt(px, py));
  return hovered > 0 && hovered != lastHovered;
}

int decodeLayout(const uint8_t* bytes, size_t size, int count) {
  if (count > kHotspotTableSize) count = kHotspotTableSize;
  if (count <= 0 || !bytes) return 0;
  std::vector<uint8_t> plain;
  plain.reserve(size_t(count) * sizeof(Hotspot));
  for (size_t i = 0; i < size && plain.size() < size_t(count) * sizeof(Hotspot); ++i) {
    uint8_t b = bytes[i];
    if (b == 0x1A) break;                                   // the end of a text file
    if (b == 0x0D && i + 1 < size && bytes[i + 1] == 0x0A) continue;  // CR LF reads as LF
    plain.push_back(b);
  }
  int records = int(plain.size() / sizeof(Hotspot));
  std::memcpy(hotspots, plain.data(), size_t(records) * sizeof(Hotspot));
  for (int r = 0; r < records; ++r) {
    int16_t* fields = &hotspots[r].srcX;
    for (int f = 0; f < 9; ++f) fields[f] = int16_t(KTools::FileToHost16(uint16_t(fields[f])));
  }
  return records;
}

std::vector<uint8_t> encodeLayout(int count) {
  if (count > kHotspotTableSize) count = kHotspotTableSize;
  std::vector<uint8_t> out;
  for (int r = 0; r < count; ++r) {
    Hotspot h = hotspots[r];
    int16_t* fields = &h.srcX;
    for (int f = 0; f < 9; ++f) fields[f] = int16_t(KTools::HostToFile16(uint16_t(fields[f])));
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&h);
    for (size_t i = 0; i < sizeof h; ++i) {
      if (bytes[i] == 0x0A) out.push_back(0x0D);
      out.push_back(bytes[i]);
    }
  }
  return out;
}

void layoutFileName(int number, char* out, int size) { std::snprintf(out, size_t(size), "data\\GUI%d", number); }

bool readLayoutFile(int number) {
  char name[32];
  layoutFileName(number, name, sizeof name);
  std::vector<uint8_t> bytes;
  if (!KFileReader::ReadWholeFile(KTools::GetDataPath(name), bytes)) return false;
  return decodeLayout(bytes.data(), bytes.size(), usedHotspots()) > 0;
}

bool writeLayoutFile(int number) {
  char name[32];
  layoutFileName(number, name, sizeof name);
  std::vector<uint8_t> bytes = encodeLayout(usedHotspots());
  FILE* f = std::fopen(KTools::GetDataPath(name), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

void setTabBarHotspots(int height) {
  for (int i = 0; i < 6; ++i) setHotspot(i + 1, 75 * i, 600, 76, height, 25 + 75 * i, 19, 1, 1, 6);
  if (hotspotCount < 7) hotspotCount = 7;
}
