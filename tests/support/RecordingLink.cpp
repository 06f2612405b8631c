#include "tests/support/RecordingLink.h"

#include <string>

#include "codec/APIPackage.h"

void RecordingLink::OnConnected() {
    Log.Add("OnConnected");
    if (AfterConnected) AfterConnected();
}

void RecordingLink::OnDisconnected() {
    Log.Add("OnDisconnected");
    if (AfterDisconnected) AfterDisconnected();
}

int RecordingLink::Dispatch(CServerConnection& connection, CAPIPackage& package) {
    Log.Add("Package " + std::to_string(package.ServiceNo) + " " + std::to_string(package.RequestID));
    return AfterPackage ? AfterPackage(connection, package) : 0;
}

void RecordingLink::OnConnecting(const char* front) {
    Log.Add(std::string("Connecting ") + front);
}

void RecordingLink::OnClosed(const char* reason) {
    Log.Add(std::string("Closed ") + reason);
}
