// The proxy settings (ZeltaIII.ini) and server settings (ZeltaIII.srv) readers on any bytes.
#include "FuzzSupport.h"
#include "UpdateSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* path = fuzz::InputFile(data, size, ".ini");
    if (path == nullptr)
        return 0;
    const QString file = QString::fromLocal8Bit(path);
    const ProxySettings proxy = ReadProxySettings(file);
    const ServerSettings servers = ReadServerSettings(file);
    // The texts the update builds from them.
    (void)ProxyText(proxy);
    (void)servers.server1.size();
    (void)ProfileInt(QString::fromUtf8(reinterpret_cast<const char*>(data),
                                       static_cast<int>(size < 64 ? size : 64)),
                     true, 0);
    return 0;
}
