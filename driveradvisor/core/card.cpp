#include "core/card.h"

#include <sys/utsname.h>

#include <algorithm>
#include <csetjmp>
#include <cstdarg>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <tuple>
#include <vector>

extern "C" {
#include <pci/pci.h>
}

namespace vantorel {

namespace {

// libpci reports fatal errors through a callback that must not return: it jumps back here.
thread_local std::jmp_buf* pciEscape = nullptr;

void pciFatal(char*, ...) {
  if (pciEscape) std::longjmp(*pciEscape, 1);
  std::abort();
}
void pciQuiet(char*, ...) {}

struct DisplayDevice {
  int domain, bus, dev, func;
  unsigned vendor, device;
};

// Runs between setjmp and the scan, so it holds no C++ objects with destructors.
bool scanDisplayDevices(pci_access* pacc, DisplayDevice* found, size_t capacity, size_t* count) {
  std::jmp_buf escape;
  pciEscape = &escape;
  if (setjmp(escape)) {
    pciEscape = nullptr;
    return false;
  }
  pci_init(pacc);
  pci_scan_bus(pacc);
  *count = 0;
  for (pci_dev* d = pacc->devices; d && *count < capacity; d = d->next) {
    pci_fill_info(d, PCI_FILL_IDENT | PCI_FILL_CLASS);
    if ((d->device_class >> 8) != PCI_BASE_CLASS_DISPLAY) continue;
    found[(*count)++] = {d->domain, d->bus, d->dev, d->func, d->vendor_id, d->device_id};
  }
  pciEscape = nullptr;
  return true;
}

}  // namespace

std::string pciDisplayDescription(const CardSources& sources) {
  pci_access* pacc = pci_alloc();
  if (!pacc) return {};
  pacc->error = pciFatal;
  pacc->warning = pciQuiet;
  pacc->debug = pciQuiet;
  std::string dumpFile = sources.pciDumpFile;  // libpci takes non-const strings
  std::string idsFile = sources.pciIdsFile;
  if (!dumpFile.empty()) {
    pacc->method = PCI_ACCESS_DUMP;
    pci_set_param(pacc, const_cast<char*>("dump.name"), dumpFile.data());
  }
  if (!idsFile.empty()) pci_set_name_list_path(pacc, idsFile.data(), 0);

  constexpr size_t kMaxDevices = 64;
  DisplayDevice devices[kMaxDevices];
  size_t count = 0;
  std::string description;
  if (scanDisplayDevices(pacc, devices, kMaxDevices, &count) && count > 0) {
    const DisplayDevice* first = std::min_element(devices, devices + count, [](auto& a, auto& b) {
      return std::tie(a.domain, a.bus, a.dev, a.func) < std::tie(b.domain, b.bus, b.dev, b.func);
    });
    char name[1024];
    const char* looked =
        pci_lookup_name(pacc, name, sizeof name,
                        PCI_LOOKUP_VENDOR | PCI_LOOKUP_DEVICE | PCI_LOOKUP_NO_NUMBERS | PCI_LOOKUP_NO_HWDB,
                        first->vendor, first->device);
    if (looked) description = looked;
  }
  pci_cleanup(pacc);
  return description;
}

std::string drmDriverName(const std::string& drmClassDir) {
  namespace fs = std::filesystem;
  std::error_code ec;
  std::vector<std::pair<int, fs::path>> cards;
  for (const auto& entry : fs::directory_iterator(drmClassDir, ec)) {
    const std::string name = entry.path().filename().string();
    // "card0", not "card0-HDMI-A-1" (a connector) nor "renderD128".
    if (name.size() <= 4 || name.compare(0, 4, "card") != 0) continue;
    if (!std::all_of(name.begin() + 4, name.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
    cards.emplace_back(std::stoi(name.substr(4)), entry.path());
  }
  std::sort(cards.begin(), cards.end());
  for (const auto& [number, path] : cards) {
    const fs::path driver = fs::read_symlink(path / "device" / "driver", ec);
    if (!ec && !driver.filename().empty()) return driver.filename().string();
    // Without the link, the device's uevent names the driver too.
    std::ifstream uevent(path / "device" / "uevent");
    for (std::string line; std::getline(uevent, line);) {
      if (line.rfind("DRIVER=", 0) == 0 && line.size() > 7) return line.substr(7);
    }
  }
  return {};
}

std::string detectCardName(const CardSources& sources) {
  std::string name = pciDisplayDescription(sources);
  if (name.empty()) name = drmDriverName(sources.drmClassDir);
  return cardNameText(name);
}

std::string detectOsVersion() {
  utsname names{};
  if (uname(&names) != 0) return osVersionFromRelease("");
  return osVersionFromRelease(names.release);
}

}  // namespace vantorel
