// The run policy against the private MariaDB server and against listeners that never answer:
// a refused login is tried once, a locked table and a silent host end the run in bounded time,
// and every record not imported is in the reject file.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "support/accounting.h"
#include "support/fixtures.h"
#include "support/process.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace zubk {
namespace {

using testing::BackgroundProcess;
using testing::CountOccurrences;
using testing::ExpectEveryRecordAccountedFor;
using testing::NumberedBookings;
using testing::NumbersInRecords;
using testing::NumbersInTable;
using testing::OptionalSetting;
using testing::ProcessResult;
using testing::ReadWhole;
using testing::RunProcess;
using testing::TempDir;
using testing::TestDatabase;

class RunPolicy : public ::testing::Test {
protected:
    void SetUp() override {
        m_db.Execute(
            "DELETE FROM qxs402zpk; DELETE FROM qxs405zzs; "
            "INSERT INTO qxs405zzs VALUES ('121', 42);");
    }

    ProcessResult Import(const std::string& settings, int records,
                         std::map<std::string, std::string> environment = {}) {
        m_dir.Write("in/VEXLO00P.TXT", settings + OptionalSetting(9, "REJECT_FILE", "rejects.txt"));
        m_input = m_dir.Write("in/bookings.txt", NumberedBookings(records));
        environment.merge(m_db.ToolEnvironment());
        return RunProcess(ZUBK_BINARY, {"VEXLO62P", "ZutCtrl", m_input}, m_dir.Path().string(),
                          environment);
    }

    std::vector<int> Rejected() const {
        return NumbersInRecords(ReadWhole(m_dir.Path() / "in" / "rejects.txt"));
    }

    std::string Summary(int statements) const {
        return std::to_string(statements) + " Saetze kopiert aus Datei " + m_input + " \n";
    }

    int AccessDeniedErrors() const {
        const auto rows = m_db.Query("SHOW GLOBAL STATUS LIKE 'Access_denied_errors'");
        return std::stoi(rows.at(0).substr(rows.at(0).find('\t') + 1));
    }

    // An odbc.ini with the tests' data sources and zubk_tcp, which reaches 127.0.0.1:port.
    std::map<std::string, std::string> TcpDataSource(int port) const {
        const std::string odbcIni = ReadWhole(m_db.StateValue("ODBCINI"));
        const auto driverAt = odbcIni.find("Driver=");
        const std::string driver =
            odbcIni.substr(driverAt, odbcIni.find('\n', driverAt) - driverAt);
        const std::string path =
            m_dir.Write("odbc.ini", odbcIni + "\n[zubk_tcp]\n" + driver +
                                        "\nSERVER=127.0.0.1\nPORT=" + std::to_string(port) +
                                        "\nDATABASE=qxsystem\n");
        return {{"ODBCINI", path}};
    }

    TestDatabase m_db;
    TempDir m_dir;
    std::string m_input;
};

TEST_F(RunPolicy, AWrongPasswordIsTriedOnceAndEveryRecordGoesToTheRejectFile) {
    const int deniedBefore = AccessDeniedErrors();
    const ProcessResult result =
        Import(m_db.ParameterFileFor("zubk_oracle", "ORACLE", "S3cr3t-wrong"), 1000);

    EXPECT_EQ(AccessDeniedErrors() - deniedBefore, 1) << "one refused login reaches the server";
    EXPECT_EQ(result.exitCode, 4) << result.output;
    EXPECT_EQ(CountOccurrences(result.output, "Exception bei Datenbank Open\n"), 1U);
    EXPECT_NE(result.output.find("SQLSTATE 28000 (1045)"), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("S3cr3t-wrong"), std::string::npos) << "the password was shown";
    const std::string end =
        "Satz 1 (Byte 0) nicht versucht\n\n"
        "Lauf abgebrochen: Anmeldung abgewiesen; 1000 Saetze nicht versucht\n" +
        Summary(0);
    EXPECT_EQ(result.output.substr(result.output.size() - end.size()), end);
    EXPECT_EQ(Rejected().size(), 1000U);
    ExpectEveryRecordAccountedFor(NumbersInTable(m_db), Rejected(), 1000, 0);
}

TEST_F(RunPolicy, AnUnreachableServerStopsTheRunAfterTheReconnectTime) {
    const ProcessResult result = Import(m_db.ParameterFileFor("zubk_nosocket", "ORACLE") +
                                            OptionalSetting(5, "RECONNECT_TIME", "2"),
                                        3);
    EXPECT_EQ(result.exitCode, 4) << result.output;
    EXPECT_EQ(result.output.rfind("Verbindung zur Datenbank unterbrochen; neue Versuche bis zu "
                                  "2 s\n\nException bei Datenbank Open\n",
                                  0),
              0U)
        << result.output;
    EXPECT_EQ(CountOccurrences(result.output, "SQLSTATE HY000 (2002)"), 1U) << result.output;
    const std::string end =
        "Satz 1 (Byte 0) nicht versucht\n\n"
        "Lauf abgebrochen: Datenbank 2 s lang nicht erreichbar; 3 Saetze "
        "nicht versucht\n" +
        Summary(0);
    EXPECT_EQ(result.output.substr(result.output.size() - end.size()), end);
    EXPECT_EQ(Rejected(), (std::vector<int>{0, 1, 2}));
}

TEST_F(RunPolicy, ALockedCodeTableStopsTheRunAfterTheFailuresInARow) {
    // Another session holds the code table until it is ended with the test.
    m_dir.Write("out/.keep", "");
    BackgroundProcess locker(
        "/usr/bin/mariadb",
        {"--no-defaults", "-S", m_db.StateValue("ZUBK_TESTDB_SOCKET"), "-u", "root", "qxsystem",
         "-e", "LOCK TABLES qxs405zzs WRITE; SELECT SLEEP(300);"},
        m_dir.Path().string(), {}, m_dir.Path() / "out");
    while (m_db.Query("SELECT COUNT(*) FROM information_schema.PROCESSLIST WHERE INFO LIKE "
                      "'SELECT SLEEP(300)%'")[0] == "0") {
        ASSERT_TRUE(locker.Running());
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    const ProcessResult result = Import(m_db.ParameterFileFor("zubk_oracle", "ORACLE") +
                                            OptionalSetting(5, "STATEMENT_TIMEOUT", "1") +
                                            OptionalSetting(6, "MAX_FAILURES", "3"),
                                        50);
    EXPECT_EQ(result.exitCode, 4) << result.output;
    EXPECT_EQ(CountOccurrences(result.output,
                               "vielleicht doch uebernommen: die Anweisung wurde "
                               "nach ihrem Zeitlimit abgebrochen\n"),
              3U)
        << result.output;
    const std::string end =
        "Lauf abgebrochen: 3 Saetze in Folge fehlgeschlagen; 47 Saetze nicht versucht\n" +
        Summary(3);
    EXPECT_EQ(result.output.substr(result.output.size() - end.size()), end);
    EXPECT_EQ(Rejected().size(), 50U);
    EXPECT_TRUE(NumbersInTable(m_db).empty());
}

// A listening socket on the loopback address; with backlog 0 and one connection waiting in it
// that nobody accepts, the kernel drops every further attempt to connect.
class Listener {
public:
    explicit Listener(bool completesConnections) {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(m_socket, completesConnections ? 16 : 0);
        socklen_t length = sizeof address;
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        if (!completesConnections) {
            m_filler = socket(AF_INET, SOCK_STREAM, 0);
            connect(m_filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
        }
    }
    ~Listener() {
        close(m_socket);
        if (m_filler >= 0) {
            close(m_filler);
        }
    }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    int Port() const { return m_port; }

private:
    int m_socket = -1;
    int m_filler = -1;
    int m_port = 0;
};

TEST_F(RunPolicy, AHostThatNeverAnswersIsGivenUpWithin30Seconds) {
    for (const bool completesConnections : {true, false}) {
        const Listener listener(completesConnections);
        const auto start = std::chrono::steady_clock::now();
        const ProcessResult result = Import(
            m_db.ParameterFileFor("zubk_tcp", "ORACLE") + OptionalSetting(5, "RECONNECT_TIME", "0"),
            10, TcpDataSource(listener.Port()));
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(result.exitCode, 4) << result.output;
        EXPECT_NE(result.output.find("10 Saetze nicht versucht\n" + Summary(0)), std::string::npos)
            << result.output;
        EXPECT_EQ(Rejected().size(), 10U);
        std::printf("%s: exit %d after %.1f s\n",
                    completesConnections ? "accepts, never answers" : "never completes",
                    result.exitCode, seconds);
        RecordProperty(completesConnections ? "accepting_seconds" : "dropping_seconds",
                       std::to_string(seconds));
    }
}

}  // namespace
}  // namespace zubk
