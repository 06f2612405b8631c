// Builds a login request package the way the trading library does and prints the frame's bytes.
#include <cstdio>
#include <cstring>

#include "codec/APIPackage.h"
#include "codec/ByteOrder.h"
#include "codec/Fields.h"

int main() {
    uint8_t frame[4 + MaxPayloadLength];
    CAPIPackage package;
    package.BeginPackage(116, 1, frame + 4);

    char investor[16] = "10001";
    char password[21] = "secret";
    FieldBinding fields[] = {Bind(fld::InvestorID, investor), Bind(fld::InvestorPassword, password)};
    if (package.WriteRecord(FieldBindingList{fields, 2}, fld::LoginReq.Tag) < 0) return 1;
    be::Store32(frame, package.GetLength());

    const uint32_t size = 4 + package.GetLength();
    std::printf("login request frame, %u bytes (ServiceNo %u, RequestID %d):\n", size, package.ServiceNo,
                package.RequestID);
    for (uint32_t i = 0; i < size; ++i)
        std::printf("%02x%c", frame[i], (i % 16 == 15 || i + 1 == size) ? '\n' : ' ');
    return 0;
}
