// zeltasign PRIVATE-KEY.pem INSTALLER [SIGNATURE]
//
// Writes the detached Ed25519 signature of INSTALLER (default: INSTALLER's folder +
// "/zelta.sig") with the maker's private key, then checks it against the public key built
// into the program, so a signature made with any other key is noticed before it is published.
#include "InstallerSignature.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

bool ReadAll(const QString& path, QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: zeltasign PRIVATE-KEY.pem INSTALLER [SIGNATURE]\n");
        return 2;
    }
    const QString keyPath = QString::fromLocal8Bit(argv[1]);
    const QString installerPath = QString::fromLocal8Bit(argv[2]);
    const QString signaturePath = argc == 4
                                      ? QString::fromLocal8Bit(argv[3])
                                      : QFileInfo(installerPath).absolutePath() + "/zelta.sig";
    QByteArray key;
    QByteArray installer;
    if (!ReadAll(keyPath, key)) {
        std::fprintf(stderr, "zeltasign: cannot read the key %s\n", argv[1]);
        return 1;
    }
    if (!ReadAll(installerPath, installer)) {
        std::fprintf(stderr, "zeltasign: cannot read %s\n", argv[2]);
        return 1;
    }
    const QByteArray signature = SignData(key, installer);
    if (signature.isEmpty()) {
        std::fprintf(stderr, "zeltasign: %s is not an Ed25519 private key\n", argv[1]);
        return 1;
    }
    QFile out(signaturePath);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(signature) != signature.size() || !out.flush()) {
        std::fprintf(stderr, "zeltasign: cannot write %s\n", qPrintable(signaturePath));
        return 1;
    }
    out.close();
    if (!VerifySignature(MakerPublicKey(), installer.constData(), installer.size(), signature)) {
        std::fprintf(stderr, "zeltasign: warning: the key is not the maker's key built into the "
                             "program; the program will refuse this installer\n");
        return 3;
    }
    std::printf("%s\n", qPrintable(signaturePath));
    return 0;
}
