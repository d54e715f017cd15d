// The bridge's listening socket: one bridge per socket path.
#pragma once

#include <filesystem>
#include <string>

namespace mrv::bridge {

// Listens on a Unix-domain socket with mode 0600, non-blocking. A socket file left by a
// bridge that died is replaced; one that a running bridge answers on is refused, and
// so is a path that is not a socket. Returns -1 with error set on failure.
int ListenOn(const std::filesystem::path& path, std::string& error);

}  // namespace mrv::bridge
