#include "TestSigning.h"

#include <openssl/evp.h>
#include <openssl/pem.h>

namespace {

QByteArray TakeBio(BIO* bio) {
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    QByteArray text(data, static_cast<int>(size));
    BIO_free(bio);
    return text;
}

} // namespace

TestKeyPair MakeTestKeyPair() {
    TestKeyPair pair;
    EVP_PKEY* key = EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519");
    if (key == nullptr) {
        return pair;
    }
    BIO* privateBio = BIO_new(BIO_s_mem());
    BIO* publicBio = BIO_new(BIO_s_mem());
    PEM_write_bio_PrivateKey(privateBio, key, nullptr, nullptr, 0, nullptr, nullptr);
    PEM_write_bio_PUBKEY(publicBio, key);
    pair.privatePem = TakeBio(privateBio);
    pair.publicPem = TakeBio(publicBio);
    EVP_PKEY_free(key);
    return pair;
}
