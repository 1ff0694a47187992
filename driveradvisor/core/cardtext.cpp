#include "core/card.h"

namespace vantorel {

std::string cardNameText(std::string_view name) {
  name = name.substr(0, name.find('\0'));
  return std::string(name.substr(0, kCardNameMax));
}

std::string osVersionText(unsigned major, unsigned minor) {
  return std::to_string(major) + std::to_string(minor);
}

std::string osVersionFromRelease(std::string_view release) {
  auto number = [&release]() {
    unsigned value = 0;
    size_t i = 0;
    while (i < release.size() && release[i] >= '0' && release[i] <= '9') {
      if (value < 100000) value = value * 10 + (release[i] - '0');
      ++i;
    }
    release.remove_prefix(i);
    return value;
  };
  const unsigned major = number();
  unsigned minor = 0;
  if (!release.empty() && release.front() == '.') {
    release.remove_prefix(1);
    minor = number();
  }
  return osVersionText(major, minor);
}

}  // namespace vantorel
