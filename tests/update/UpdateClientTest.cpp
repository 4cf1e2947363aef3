#include "UpdateClient.h"
#include "InstallerSignature.h"
#include "LocalHttpServer.h"
#include "QtHttpClient.h"
#include "TestEnvironment.h"
#include "TestSigning.h"
#include "UpdateTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString kVersionPath = QStringLiteral("ZeltaApps/Zelta/zelta.txt");
const QString kInstallerPath = QStringLiteral("ZeltaApps/Zelta/zelta.exe");
const QString kSignaturePath = QStringLiteral("ZeltaApps/Zelta/zelta.sig");

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class UpdateClientTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.Start()); }

    int Check(float& version) {
        return client.CheckServer(server.Address(), kVersionPath, kInstallerPath, version, {}, {},
                                  {});
    }

    // Serves `route` as the installer with its signature beside it.
    void Publish(const LocalHttpServer::Route& route) {
        server.Serve("/ZeltaApps/Zelta/zelta.exe", route);
        server.Serve("/ZeltaApps/Zelta/zelta.sig", SignData(keys.privatePem, route.body));
    }

    int Download(const QString& local, IDownloadMonitor& monitor) {
        return client.Download(server.Address(), kInstallerPath, kSignaturePath, local, {}, {}, {},
                               monitor);
    }

    LocalHttpServer server;
    TestKeyPair keys = MakeTestKeyPair();
    CQtHttpClient http{kTestHttpTimeoutMs};
    CUpdateClient client{http, keys.publicPem};
};

TEST_F(UpdateClientTest, CheckNeedsAReadableVersionAndAPlausibleInstaller) {
    LocalHttpServer::Route missing;
    missing.status = 404;
    missing.body = "2.9";
    struct Case {
        const char* name;
        QByteArray version;
        bool versionMissing;
        QByteArray installer;
        int result;
        float expectedVersion;
    } const cases[] = {
        {"good", "2.9\r\n", false, FakeInstaller(4096), 1, 2.9f},
        {"exactly 259 bytes", "3.0", false, FakeInstaller(259), 1, 3.0f},
        {"unreadable version", "version 2.9", false, FakeInstaller(4096), 0, 0.0f},
        {"Windows installer", "2.9", false, QByteArray("MZ") + QByteArray(4000, 'x'), 0, 2.9f},
        {"short installer", "2.9", false, FakeInstaller(258), 0, 2.9f},
        {"error page for the version", "2.9", true, FakeInstaller(4096), 0, 0.0f},
    };
    for (const Case& c : cases) {
        if (c.versionMissing) {
            server.Serve("/ZeltaApps/Zelta/zelta.txt", missing);
        } else {
            server.Serve("/ZeltaApps/Zelta/zelta.txt", c.version);
        }
        server.Serve("/ZeltaApps/Zelta/zelta.exe", c.installer);
        float version = -1.0f;
        EXPECT_EQ(Check(version), c.result) << c.name;
        EXPECT_FLOAT_EQ(version, c.expectedVersion) << c.name;
    }
}

TEST_F(UpdateClientTest, ErrorStatusOfTheInstallerFailsTheCheck) {
    server.Serve("/ZeltaApps/Zelta/zelta.txt", QByteArray("2.9"));
    LocalHttpServer::Route error;
    error.status = 500;
    error.body = FakeInstaller(4096); // even a plausible body does not count with an error status
    server.Serve("/ZeltaApps/Zelta/zelta.exe", error);
    float version = 0.0f;
    EXPECT_EQ(Check(version), 0);
}

TEST_F(UpdateClientTest, UnreachableServerFailsTheCheck) {
    float version = 1.0f;
    const QString down = QStringLiteral("127.0.0.1:%1").arg(LocalHttpServer::ClosedPort());
    EXPECT_EQ(client.CheckServer(down, kVersionPath, kInstallerPath, version, {}, {}, {}), 0);
    EXPECT_FLOAT_EQ(version, 0.0f);
}

TEST_F(UpdateClientTest, DownloadWritesTheWholeInstaller) {
    // One size ends inside a block, the other exactly on a block boundary; two come without a
    // length, one of them larger than what the client holds in memory at a time.
    struct Case {
        int size;
        bool announceLength;
    } const cases[] = {
        {100000, true}, {3 * 8192, true}, {20000, false}, {5 * 1024 * 1024 + 7, false}};
    for (const Case& c : cases) {
        LocalHttpServer::Route route;
        route.body = FakeInstaller(c.size);
        route.announceLength = c.announceLength;
        Publish(route);
        const QString local = QString::fromStdString(MakeTempDir("download")) + "/Installer";
        WaitingMonitor monitor;
        EXPECT_EQ(Download(local, monitor), CUpdateClient::DownloadSucceeded) << c.size;
        EXPECT_EQ(ReadFile(local), route.body) << c.size;
        EXPECT_EQ(client.State().done, c.size);
        EXPECT_EQ(monitor.begun, 1);
        EXPECT_EQ(monitor.ended, 1);
    }
}

TEST_F(UpdateClientTest, CancelLeavesThePartialFile) {
    LocalHttpServer::Route route;
    route.body = FakeInstaller(1 << 20);
    route.stallAfter = 3 * 8192 + 100; // then the server goes quiet
    Publish(route);
    const QString local = QString::fromStdString(MakeTempDir("cancel")) + "/Installer";
    WaitingMonitor monitor;
    monitor.cancelAfter = 2 * 8192;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Download(local, monitor), CUpdateClient::DownloadCancelled);
    // The worker waiting for the next block is woken, not left to time out.
    EXPECT_LT(std::chrono::steady_clock::now() - start,
              std::chrono::milliseconds(kTestHttpTimeoutMs));
    const QByteArray partial = ReadFile(local);
    EXPECT_GE(partial.size(), 2 * 8192);
    EXPECT_LT(partial.size(), route.body.size());
    EXPECT_EQ(partial, route.body.left(partial.size()));
    EXPECT_EQ(client.State().error, 0);
}

TEST_F(UpdateClientTest, FailuresReportZeroAndLeaveNoPartialFile) {
    const QString folder = QString::fromStdString(MakeTempDir("fail"));
    WaitingMonitor monitor;

    // The transfer stalls short of the announced length: the partial file goes.
    LocalHttpServer::Route cut;
    cut.body = FakeInstaller(50000);
    cut.stallAfter = 20000;
    server.Serve("/cut.exe", cut);
    CQtHttpClient impatient{300};
    CUpdateClient impatientClient{impatient, keys.publicPem};
    EXPECT_EQ(impatientClient.Download(server.Address(), "cut.exe", "cut.sig",
                                       folder + "/Installer", {}, {}, {}, monitor),
              CUpdateClient::DownloadFailed);
    EXPECT_FALSE(QFile::exists(folder + "/Installer"));
    EXPECT_EQ(impatientClient.State().error, 1);

    // An empty body, a missing file and an unwritable local path.
    server.Serve("/empty.exe", QByteArray());
    server.Serve("/ok.exe", FakeInstaller(1000));
    server.Serve("/ok.sig", SignData(keys.privatePem, FakeInstaller(1000)));
    for (const char* name : {"empty", "absent"}) {
        EXPECT_EQ(client.Download(server.Address(), QString(name) + ".exe", "ok.sig",
                                  folder + "/Installer", {}, {}, {}, monitor),
                  CUpdateClient::DownloadFailed)
            << name;
    }
    EXPECT_EQ(client.Download(server.Address(), "ok.exe", "ok.sig",
                              folder + "/no/such/dir/Installer", {}, {}, {}, monitor),
              CUpdateClient::DownloadFailed);
    EXPECT_FALSE(QFile::exists(folder + "/Installer"));
}

// A response of a fixed length that reads as endless filler, for the download limit.
class EndlessResponse : public IHttpResponse {
public:
    explicit EndlessResponse(qint64 announced) : m_announced(announced) {}
    qint64 Length() override { return m_announced; }
    qint64 Read(char* buffer, qint64 size) override {
        std::memset(buffer, 'x', static_cast<size_t>(size));
        return size;
    }
    void Abort() override {}

private:
    qint64 m_announced;
};

class EndlessClient : public IHttpClient {
public:
    explicit EndlessClient(qint64 announced) : m_announced(announced) {}
    std::unique_ptr<IHttpResponse> Get(const HttpRequest&) override {
        ++gets;
        return std::make_unique<EndlessResponse>(m_announced);
    }
    int gets = 0;

private:
    qint64 m_announced;
};

TEST(DownloadLimit, MoreThan512MegabytesIsRefusedAnnouncedOrStreamed) {
    const QString folder = QString::fromStdString(MakeTempDir("limit"));
    for (const qint64 announced : {kMaxDownloadBytes + 1, qint64(-1)}) {
        EndlessClient endless(announced);
        CUpdateClient client(endless, MakeTestKeyPair().publicPem);
        WaitingMonitor monitor;
        EXPECT_EQ(client.Download("example", "zelta.exe", "zelta.sig", folder + "/Installer", {},
                                  {}, {}, monitor),
                  CUpdateClient::DownloadFailed)
            << announced;
        EXPECT_FALSE(QFile::exists(folder + "/Installer")) << announced;
        // Streamed: stopped at the limit, not after it; announced: nothing fetched at all.
        EXPECT_LE(client.State().done, kMaxDownloadBytes) << announced;
        EXPECT_EQ(endless.gets, 1) << announced;
    }
}

// A response that hands out a fixed body and counts the reads.
class CountingResponse : public IHttpResponse {
public:
    explicit CountingResponse(qint64 size) : m_size(size) {}
    qint64 Length() override { return m_size; }
    qint64 Read(char* buffer, qint64 size) override {
        ++reads;
        const qint64 n = std::min(size, m_size - m_offset);
        std::memset(buffer, 'x', static_cast<size_t>(n));
        m_offset += n;
        return n;
    }
    void Abort() override {}
    int reads = 0;

private:
    qint64 m_size;
    qint64 m_offset = 0;
};

TEST(CopyDownloadBody, WholeBlocksEndWithoutAnEmptyRead) {
    for (const qint64 size : {qint64(8192) * 4, qint64(8192) * 4 + 1, qint64(1)}) {
        CountingResponse response(size);
        DownloadState state;
        state.total = size;
        state.file = &response;
        state.path = QString::fromStdString(MakeTempDir("blocks")) + "/Installer";
        EXPECT_EQ(CopyDownloadBody(&state), 0);
        EXPECT_EQ(response.reads, (size + 8191) / 8192) << size;
        EXPECT_EQ(state.error, 0);
        EXPECT_EQ(QFile(state.path).size(), size);
    }
}

} // namespace
