// Why a server connection closed: the exact texts passed to OnClose, one named constant per cause.
// Only "Stoped" ends supervision; every other cause reports OnDisconnected and reconnects.
#pragma once

namespace closereason {

// Read or write failure, the peer's shutdown included.
inline constexpr const char ConnectionLost[] = "";
// Nothing received for TimeoutSeconds.
inline constexpr const char HeartbeatTimeout[] = "Disconnect because of heartbeat timeout!";
// A frame announced more than 8188 payload bytes.
inline constexpr const char PackageTooLarge[] = "Disconnect because package is too large!";
// The session's dispatcher returned a negative result.
inline constexpr const char BusinessError[] = "Disconnect because of an error in business processing!";
// The session shut down; nothing is reported and nothing reconnects.
inline constexpr const char Stopped[] = "Stoped";

}  // namespace closereason
