#pragma once

#include "Payload.h"

// The payload linked into the installer binary at build time (see CMakeLists.txt: each file
// is included whole as read-only data, so the bytes are never copied at start).
class CEmbeddedPayload : public IPayloadSource {
public:
    QByteArray Find(int id) const override;
};
