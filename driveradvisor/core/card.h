// What the advisor sends about this computer: the video card's name and the system version.
// The text rules are the same on every system; where the two values come from differs (libpci
// and the kernel release on Linux, card.cpp; the display devices and the real Windows version on
// Windows, card_win32.cpp).
#pragma once

#include <string>
#include <string_view>

namespace vantorel {

// The card name is cut to this many characters.
inline constexpr size_t kCardNameMax = 127;

// A name as the system gave it, ended at its first NUL and cut to kCardNameMax characters.
std::string cardNameText(std::string_view name);

// The system version sent with the query: major and minor written one after the other in
// decimal (5 and 1 give "51", 4 and 10 give "410", 10 and 0 give "100").
std::string osVersionText(unsigned major, unsigned minor);

// osVersionText of the first two numbers of a release ("6.1.0-13-amd64" gives "61", "4.10.3"
// gives "410"). A number that cannot be read counts as 0.
std::string osVersionFromRelease(std::string_view release);

#ifdef _WIN32

// Where the card name is looked for: the display device enumeration, looked up at run time by
// name, so that the program also starts on a system without it. Tests name a function that
// does not exist to reach the fallback, the current display settings' device name.
struct CardSources {
  std::string module = "USER32";
  std::string function = "EnumDisplayDevicesA";
};

// The description of the first display device (index 0), else the device name of the current
// display settings; cut to kCardNameMax characters.
std::string detectCardName(const CardSources& sources = {});

// The installed display driver's version ("31.0.15.3623"), from the first display device's
// driver key (SetupAPI), else from the registry key the display device names; empty when
// neither has one.
std::string detectDriverVersion();

// osVersionText of the real Windows version (RtlGetVersion, which no compatibility shim
// changes; GetVersionExA where that is missing).
std::string detectOsVersion();

#else

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

// osVersionFromRelease of the running kernel's release (uname).
std::string detectOsVersion();

#endif

}  // namespace vantorel
