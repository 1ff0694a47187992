// A stand-in PCI bus for the advisor's tests: an lspci -x dump and a small name database.
#pragma once

#include <cstdio>
#include <string>

// Names in the format of pci.ids.
inline constexpr char kTestPciIds[] =
    "# names for the tests\n"
    "10de  NVIDIA Corporation\n"
    "\t1b80  GP104 [GeForce GTX 1080]\n"
    "1af4  Red Hat, Inc.\n"
    "\t1041  Virtio network device\n"
    "f00d  Quenndal & Sons\n"
    "\t0960  Vantor 9600 #2\n";

// One device of an lspci -x dump: its slot and the first 64 bytes of its configuration
// space, with the vendor, device and class (base class, subclass) filled in.
inline std::string dumpDevice(const char* slot, unsigned vendor, unsigned device, unsigned baseClass,
                              unsigned subClass) {
  unsigned char config[64] = {};
  config[0] = vendor & 255;
  config[1] = vendor >> 8;
  config[2] = device & 255;
  config[3] = device >> 8;
  config[10] = subClass;
  config[11] = baseClass;
  std::string text = std::string(slot) + " Device\n";
  for (int row = 0; row < 64; row += 16) {
    char line[8];
    std::snprintf(line, sizeof line, "%02x:", row);
    text += line;
    for (int i = 0; i < 16; ++i) {
      std::snprintf(line, sizeof line, " %02x", config[row + i]);
      text += line;
    }
    text += '\n';
  }
  return text + '\n';
}
