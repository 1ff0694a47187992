#include "core/card.h"

#include <windows.h>
// SetupAPI's declarations need the types of windows.h first.
#include <devguid.h>
#include <setupapi.h>

namespace vantorel {

namespace {

using EnumDisplayDevicesFn = BOOL(WINAPI*)(LPCSTR, DWORD, PDISPLAY_DEVICEA, DWORD);

// The first display device's record, through the function looked up by name; false when the
// function is missing or names no device.
bool firstDisplayDevice(const CardSources& sources, DISPLAY_DEVICEA* device) {
  HMODULE module = LoadLibraryA(sources.module.c_str());
  if (!module) return false;
  auto enumDevices = reinterpret_cast<EnumDisplayDevicesFn>(
      reinterpret_cast<void*>(GetProcAddress(module, sources.function.c_str())));
  bool found = false;
  if (enumDevices) {
    ZeroMemory(device, sizeof *device);
    device->cb = sizeof *device;
    found = enumDevices(nullptr, 0, device, 0) != FALSE;
  }
  FreeLibrary(module);
  return found;
}

std::string registryText(HKEY key, const char* name) {
  char value[256] = {};
  DWORD type = 0;
  DWORD size = sizeof value - 1;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
  return std::string(value, strnlen(value, size));
}

// The driver version in the driver key of the first present display-class device.
std::string setupApiDriverVersion() {
  HDEVINFO devices = SetupDiGetClassDevsA(&GUID_DEVCLASS_DISPLAY, nullptr, nullptr, DIGCF_PRESENT);
  if (devices == INVALID_HANDLE_VALUE) return {};
  std::string version;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD i = 0; version.empty() && SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
    HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) continue;
    version = registryText(key, "DriverVersion");
    RegCloseKey(key);
  }
  SetupDiDestroyDeviceInfoList(devices);
  return version;
}

// The driver version under the registry key a display device names
// ("\Registry\Machine\System\CurrentControlSet\Control\Video\{...}\0000").
std::string deviceKeyDriverVersion(const char* deviceKey) {
  constexpr char kMachine[] = "\\Registry\\Machine\\";
  if (_strnicmp(deviceKey, kMachine, sizeof kMachine - 1) != 0) return {};
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, deviceKey + sizeof kMachine - 1, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return {};
  }
  std::string version = registryText(key, "DriverVersion");
  RegCloseKey(key);
  return version;
}

}  // namespace

std::string detectCardName(const CardSources& sources) {
  DISPLAY_DEVICEA device;
  if (firstDisplayDevice(sources, &device)) return cardNameText(device.DeviceString);
  // Without the enumeration, the device name of the current display settings.
  DEVMODEA mode;
  ZeroMemory(&mode, sizeof mode);
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsA(nullptr, 0, &mode)) return {};
  return cardNameText(std::string_view(reinterpret_cast<const char*>(mode.dmDeviceName),
                                       sizeof mode.dmDeviceName));
}

std::string detectDriverVersion() {
  std::string version = setupApiDriverVersion();
  DISPLAY_DEVICEA device;
  if (version.empty() && firstDisplayDevice(CardSources{}, &device)) version = deviceKeyDriverVersion(device.DeviceKey);
  return version;
}

std::string detectOsVersion() {
  // RtlGetVersion reports the system as it is; GetVersionExA may report an older version to a
  // program that a compatibility setting or a missing manifest entry puts in a shim.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  if (HMODULE ntdll = GetModuleHandleA("ntdll")) {
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (rtlGetVersion && rtlGetVersion(&info) == 0) return osVersionText(info.dwMajorVersion, info.dwMinorVersion);
  }
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info)) return osVersionText(0, 0);
#pragma GCC diagnostic pop
  return osVersionText(info.dwMajorVersion, info.dwMinorVersion);
}

}  // namespace vantorel
