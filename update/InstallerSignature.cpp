#include "InstallerSignature.h"

#include "MakerPublicKey.h"

#include <QFile>

#include <openssl/evp.h>
#include <openssl/pem.h>

#include <memory>

namespace {

struct PkeyFree {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct MdCtxFree {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};
using Pkey = std::unique_ptr<EVP_PKEY, PkeyFree>;
using MdCtx = std::unique_ptr<EVP_MD_CTX, MdCtxFree>;

// An Ed25519 key from its PEM text; null for anything else.
Pkey ReadKey(const QByteArray& pem, bool privateKey) {
    std::unique_ptr<BIO, BioFree> bio(
        BIO_new_mem_buf(pem.constData(), static_cast<int>(pem.size())));
    if (bio == nullptr) {
        return nullptr;
    }
    Pkey key(privateKey ? PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr)
                        : PEM_read_bio_PUBKEY(bio.get(), nullptr, nullptr, nullptr));
    if (key == nullptr || EVP_PKEY_get_id(key.get()) != EVP_PKEY_ED25519) {
        return nullptr;
    }
    return key;
}

} // namespace

QByteArray MakerPublicKey() {
    return QByteArray(kMakerPublicKeyPem);
}

bool VerifySignature(const QByteArray& publicKeyPem, const char* data, qint64 size,
                     const QByteArray& signature) {
    if (signature.size() != kSignatureBytes || size < 0 || (data == nullptr && size > 0)) {
        return false;
    }
    const Pkey key = ReadKey(publicKeyPem, false);
    const MdCtx context(EVP_MD_CTX_new());
    if (key == nullptr || context == nullptr) {
        return false;
    }
    // Ed25519 hashes the message itself: no separate digest.
    if (EVP_DigestVerifyInit(context.get(), nullptr, nullptr, nullptr, key.get()) != 1) {
        return false;
    }
    static const unsigned char kEmpty = 0;
    return EVP_DigestVerify(
               context.get(), reinterpret_cast<const unsigned char*>(signature.constData()),
               static_cast<size_t>(signature.size()),
               data != nullptr ? reinterpret_cast<const unsigned char*>(data) : &kEmpty,
               static_cast<size_t>(size)) == 1;
}

bool VerifyFileSignature(const QByteArray& publicKeyPem, const QString& path,
                         const QByteArray& signature) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const qint64 size = file.size();
    if (size == 0) {
        return VerifySignature(publicKeyPem, nullptr, 0, signature);
    }
    // Ed25519 reads the message twice; a mapping spares a copy of up to the download limit.
    uchar* mapped = file.map(0, size);
    if (mapped == nullptr) {
        return false;
    }
    const bool valid =
        VerifySignature(publicKeyPem, reinterpret_cast<const char*>(mapped), size, signature);
    file.unmap(mapped);
    return valid;
}

QByteArray SignData(const QByteArray& privateKeyPem, const QByteArray& data) {
    const Pkey key = ReadKey(privateKeyPem, true);
    const MdCtx context(EVP_MD_CTX_new());
    if (key == nullptr || context == nullptr ||
        EVP_DigestSignInit(context.get(), nullptr, nullptr, nullptr, key.get()) != 1) {
        return QByteArray();
    }
    QByteArray signature(kSignatureBytes, '\0');
    size_t length = static_cast<size_t>(signature.size());
    if (EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()), &length,
                       reinterpret_cast<const unsigned char*>(data.constData()),
                       static_cast<size_t>(data.size())) != 1 ||
        length != static_cast<size_t>(kSignatureBytes)) {
        return QByteArray();
    }
    return signature;
}
