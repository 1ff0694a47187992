// Fuzzes the hotspot layout files: whatever bytes "data\GUI<n>" holds, decoding them for any
// count of hotspots reads whole records only, never more than the table holds or the count
// asks, leaves the records after them alone, and gives records that the writer stores and the
// reader reads back unchanged; the mouse then finds a hotspot among them without reaching
// outside the table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ui/hotspots.h"

namespace {

constexpr int kCounts[] = {-1, 0, 1, 4, 5, kHotspotTableSize, kHotspotTableSize + 7};

void fill(uint8_t value) { std::memset(hotspots, value, sizeof hotspots); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (int count : kCounts) {
    fill(0xA5);
    const int records = decodeLayout(data, size, count);
    const int most = count < 0 ? 0 : count > kHotspotTableSize ? kHotspotTableSize : count;
    if (records < 0 || records > most || size_t(records) * sizeof(Hotspot) > size) std::abort();
    // The records after the last one read keep what they held.
    const uint8_t* rest = reinterpret_cast<const uint8_t*>(&hotspots[records]);
    for (size_t i = 0; i < size_t(kHotspotTableSize - records) * sizeof(Hotspot); ++i)
      if (rest[i] != 0xA5) std::abort();
    if (records == 0) continue;

    // What the writer stores, the reader reads back.
    Hotspot read[kHotspotTableSize];
    std::memcpy(read, hotspots, sizeof read);
    const std::vector<uint8_t> stored = encodeLayout(records);
    fill(0x3C);
    if (decodeLayout(stored.data(), stored.size(), records) != records) std::abort();
    if (std::memcmp(read, hotspots, size_t(records) * sizeof(Hotspot)) != 0) std::abort();

    hotspotCount = int16_t(records);
    for (int p = 0; p < records; ++p) {
      const int found = hotspotAt(read[p].x, read[p].y);
      if (found < 0 || found >= records) std::abort();
      updateHover(read[p].x + 1, read[p].y + 1);
      if (hovered < 0 || hovered >= records) std::abort();
    }
  }
  hotspotCount = 0;
  return 0;
}
