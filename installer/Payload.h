#pragma once

#include <QByteArray>

#include <cstddef>

// The files the installer carries, in writing order. Ids 131 and 137 are the program's two
// character-set builds; this platform has one build, carried under both ids, and always takes
// the wide one's row since its interface is always Unicode.
struct PayloadEntry {
    enum class When { Always, NotNt, Nt };
    int id;
    const char* target;
    When when;
    bool executable;
};

constexpr std::size_t kPayloadCount = 7;
extern const PayloadEntry kPayloadTable[kPayloadCount];

// True where the platform reports the NT family; see the table above.
constexpr bool kPlatformIsNt = true;

// Where the payload bytes come from: the installer's own binary, or a test's table.
class IPayloadSource {
public:
    virtual ~IPayloadSource() = default;
    // The bytes of payload `id`; empty when it is missing.
    virtual QByteArray Find(int id) const = 0;
};
