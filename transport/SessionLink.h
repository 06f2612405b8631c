// What a session offers its connections: the connection events and the dispatcher of received packages.
// Each library's session implements it with its own dispatcher. Called on the session's I/O thread, except
// OnClosed("Stoped"), which runs on the thread that shuts the session down.
#pragma once

class CAPIPackage;
class CServerConnection;

class CSessionLink {
  public:
    // A front accepted; requests can be posted from now on. The session may shut down from here.
    virtual void OnConnected() = 0;
    // The current connection was lost (not reported when the session shuts down). The connector starts
    // again from the first front once this returns. The session may shut down from here.
    virtual void OnDisconnected() = 0;
    // One received package, head read and body current. Negative closes the connection with
    // "Disconnect because of an error in business processing!". The session may shut down from here.
    virtual int Dispatch(CServerConnection& connection, CAPIPackage& package) = 0;

    // Diagnostics, empty by default; they must not call back into the session.
    // An attempt on a front entry begins (on Init's thread for the first one).
    virtual void OnConnecting(const char* /*front*/) {}
    // A connection closed with one of the texts of CloseReasons.h.
    virtual void OnClosed(const char* /*reason*/) {}

  protected:
    ~CSessionLink() = default;
};
