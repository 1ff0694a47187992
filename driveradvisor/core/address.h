// The addresses the advisor asks for or opens in the browser. Every page lives on the driver
// database server, whose address (ending with '/') is given by the caller.
#pragma once

#include <string>
#include <string_view>

namespace vantorel {

// Canonical addresses are at most this long; a longer one is used as it was given.
inline constexpr size_t kAddressMax = 519;

// The HTTP agent name: the engine's name and its maker's web address.
inline constexpr char kAgentName[] = "Lumora - http://www.lumora-engine.example/";

// Microsoft's DirectX end-user runtime page, opened by "Get Direct-X".
inline constexpr char kDirectXPage[] = "https://www.microsoft.com/en-us/download/details.aspx?id=35";

// Every byte but the unreserved ones (letters, digits, '-', '.', '_', '~') as %XX, so that
// the server decodes exactly the text given: "ATI Radeon 9600 & 9800" gives
// "ATI%20Radeon%209600%20%26%209800".
std::string percentEncode(std::string_view value);

// "<server>addadriver.php?card=<card>&os=<os>", both values percent-encoded.
std::string queryAddress(std::string_view server, std::string_view card, std::string_view os);

// "<server>drivermanufact.php?videocard=<card>&os=<os>", both values percent-encoded.
std::string manufacturerPageAddress(std::string_view server, std::string_view card, std::string_view os);

// "<server>updatevideodrivers.html".
std::string updatePageAddress(std::string_view server);

// The address as a browser would send it: characters that may not stand in an address
// (spaces, controls, quotes, '<', '>', '\', '^', '`', '{', '|', '}', bytes of 128 and above)
// are percent-encoded before the '?' or '#'; from there on nothing changes. When the result
// would be longer than kAddressMax, the address is returned unchanged.
std::string canonicalAddress(std::string_view address);

// True when an address's host names this machine: "localhost" (in any case), an IPv4 address
// 127.x.x.x or the IPv6 loopback address, with or without brackets ("[::1]").
bool isLoopbackHost(std::string_view host);

}  // namespace vantorel
