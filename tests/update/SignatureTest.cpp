#include "InstallerSignature.h"
#include "LocalHttpServer.h"
#include "TestEnvironment.h"
#include "TestSigning.h"
#include "UpdateClient.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TEST(InstallerSignature, OnlyTheKeyHoldersSignatureOverTheSameBytesVerifies) {
    const TestKeyPair keys = MakeTestKeyPair();
    const TestKeyPair other = MakeTestKeyPair();
    ASSERT_FALSE(keys.privatePem.isEmpty());
    const QByteArray data = FakeInstaller(5000);
    const QByteArray signature = SignData(keys.privatePem, data);
    ASSERT_EQ(signature.size(), kSignatureBytes);

    QByteArray changed = data;
    changed[4000] = static_cast<char>(changed[4000] ^ 1);
    QByteArray badSignature = signature;
    badSignature[10] = static_cast<char>(badSignature[10] ^ 0x40);
    struct Case {
        const char* name;
        QByteArray key;
        QByteArray data;
        QByteArray signature;
        bool valid;
    } const cases[] = {
        {"signed", keys.publicPem, data, signature, true},
        {"one bit of the file changed", keys.publicPem, changed, signature, false},
        {"one bit of the signature changed", keys.publicPem, data, badSignature, false},
        {"another key", other.publicPem, data, signature, false},
        {"the maker's key", MakerPublicKey(), data, signature, false},
        {"signature cut short", keys.publicPem, data, signature.left(63), false},
        {"no signature", keys.publicPem, data, QByteArray(), false},
        {"a private key given as the public one", keys.privatePem, data, signature, false},
        {"no key", QByteArray("not a key"), data, signature, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VerifySignature(c.key, c.data.constData(), c.data.size(), c.signature), c.valid)
            << c.name;
    }
    EXPECT_TRUE(SignData(keys.publicPem, data).isEmpty());
}

TEST(InstallerSignature, TheMakersCommittedPublicKeyIsBuiltIn) {
    QFile committed(QStringLiteral(ZELTA_SOURCE_DIR "/update/keys/maker-ed25519.pub"));
    ASSERT_TRUE(committed.open(QIODevice::ReadOnly));
    EXPECT_EQ(MakerPublicKey(), committed.readAll());
    EXPECT_TRUE(MakerPublicKey().startsWith("-----BEGIN PUBLIC KEY-----"));
}

TEST(TrustedInstaller, NeedsTheAnnouncedLengthACompleteProgramAndTheSignature) {
    const TestKeyPair keys = MakeTestKeyPair();
    const QString folder = QString::fromStdString(MakeTempDir("trusted"));
    const QByteArray installer = FakeInstaller(40000);
    const QByteArray signature = SignData(keys.privatePem, installer);
    const QByteArray script = "#!/bin/sh\necho owned\n";
    QByteArray foreignMachine = installer;
    foreignMachine[18] = static_cast<char>(foreignMachine[18] ^ 0x7f); // e_machine
    struct Case {
        const char* name;
        QByteArray file;
        qint64 announced;
        QByteArray signature;
        bool trusted;
    } const cases[] = {
        {"signed installer", installer, installer.size(), signature, true},
        {"no length announced", installer, -1, signature, true},
        {"shorter than announced", installer.left(30000), installer.size(), signature, false},
        {"truncated, announced with its own length", installer.left(30000), 30000,
         SignData(keys.privatePem, installer.left(30000)), false},
        {"a shell script, signed", script, script.size(), SignData(keys.privatePem, script), false},
        {"another processor, signed", foreignMachine, foreignMachine.size(),
         SignData(keys.privatePem, foreignMachine), false},
        {"wrong signature", installer, installer.size(),
         SignData(MakeTestKeyPair().privatePem, installer), false},
        {"no signature", installer, installer.size(), QByteArray(), false},
    };
    for (const Case& c : cases) {
        const QString path = folder + "/Installer";
        WriteFile(path, c.file);
        EXPECT_EQ(IsTrustedInstaller(path, c.announced, c.signature, keys.publicPem), c.trusted)
            << c.name;
    }
    EXPECT_FALSE(IsTrustedInstaller(folder + "/missing", -1, signature, keys.publicPem));
}

TEST(Zeltasign, SignsWithAKeyFileAndWarnsWhenItIsNotTheMakers) {
    const TestKeyPair keys = MakeTestKeyPair();
    const QString folder = QString::fromStdString(MakeTempDir("zeltasign"));
    WriteFile(folder + "/test-key.pem", keys.privatePem);
    const QByteArray installer = FakeInstaller(3000);
    WriteFile(folder + "/zelta.exe", installer);
    QProcess tool;
    tool.start(QStringLiteral(ZELTA_BINARY_DIR "/bin/zeltasign"),
               {folder + "/test-key.pem", folder + "/zelta.exe"});
    ASSERT_TRUE(tool.waitForFinished(30000));
    // Signed, but with a key the program does not trust: the maker is told so.
    EXPECT_EQ(tool.exitCode(), 3);
    EXPECT_TRUE(tool.readAllStandardError().contains("not the maker's key"));
    QFile signature(folder + "/zelta.sig");
    ASSERT_TRUE(signature.open(QIODevice::ReadOnly));
    EXPECT_TRUE(VerifySignature(keys.publicPem, installer.constData(), installer.size(),
                                signature.readAll()));

    tool.start(QStringLiteral(ZELTA_BINARY_DIR "/bin/zeltasign"),
               {folder + "/zelta.exe", folder + "/zelta.exe"});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 1);
}

} // namespace
