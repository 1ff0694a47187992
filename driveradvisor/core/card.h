// What the advisor sends about this computer: the video card's name and the system version.
#pragma once

#include <string>
#include <string_view>

namespace vantorel {

// The card name is cut to this many characters.
inline constexpr size_t kCardNameMax = 127;

// Where the card name is looked for. The defaults are the real machine; tests give a libpci
// dump file (lspci -x format), their own name database and a stand-in for /sys/class/drm.
struct CardSources {
  std::string pciDumpFile;
  std::string pciIdsFile;
  std::string drmClassDir = "/sys/class/drm";
};

// "Vendor Device" from the name database for the first display-class PCI device (lowest
// domain, bus, slot, function); empty when there is none, the bus cannot be read, or the
// database does not name it.
std::string pciDisplayDescription(const CardSources& sources);

// The kernel driver of the first DRM card ("card0", "card1", ... in order) that has one, such
// as "i915" or "amdgpu"; empty when there is none.
std::string drmDriverName(const std::string& drmClassDir);

// The PCI description, else the display driver's name; cut to kCardNameMax characters.
std::string detectCardName(const CardSources& sources = {});

// The system version sent with the query: the major and minor numbers of a kernel release
// written one after the other in decimal ("6.1.0-13-amd64" gives "61", "4.10.3" gives
// "410"). A number that cannot be read counts as 0.
std::string osVersionFromRelease(std::string_view release);

// osVersionFromRelease of the running kernel's release (uname).
std::string detectOsVersion();

}  // namespace vantorel
