#pragma once

// Starts the device simulator (qmx_sim) as a child process for a test, talks to its control
// channel and reads its request log. Header-only, so every test program can use it.
//
//   SimProcess sim({"--rw-community", "private", "--user", "alice:SHA:alicepass:AES:alicepriv"});
//   ASSERT_TRUE(sim.start()) << sim.error();
//   ... send SNMP to sim.address():sim.port() ...
//   sim.command("error 1.3.6.1.2.1.1.5.0 genErr get");
//   auto lines = sim.requests();   // the varbinds it answered
//
// The simulator ends when the SimProcess is destroyed, and by itself when the thread that
// started it ends (the kernel's parent-death signal), so start it from the test's own thread.

#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

// One line of the simulator's log. A varbind line has every field; an event line ("# drop
// silent udp:...", "# restart 3000", "# refill clients 1", "# tftp get ...") has event set and its
// words after "#" in words.
struct SimLogLine {
    bool event = false;
    std::vector<std::string> words;  // event words, or all fields of a varbind line

    std::string reqId, op, version, principal, asked, answered, via, status, type;
    std::string value;  // decoded: octets for "s", hex digits for "x", text for the other types

    static std::optional<std::string> unquote(const std::string& t) {
        if (t.size() < 2 || t.front() != '"' || t.back() != '"') return t;
        std::string out;
        for (size_t i = 1; i + 1 < t.size(); ++i) {
            if (t[i] != '\\') {
                out += t[i];
                continue;
            }
            if (++i + 1 > t.size() - 1) return std::nullopt;
            if (t[i] == 'x' && i + 2 < t.size() - 1) {
                out += char(std::stoi(t.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                out += t[i];
            }
        }
        return out;
    }

    // Splits on blanks, keeping a quoted, escaped string together.
    static std::vector<std::string> tokens(const std::string& line) {
        std::vector<std::string> out;
        size_t i = 0;
        while (i < line.size()) {
            if (line[i] == ' ') {
                ++i;
                continue;
            }
            size_t j = i;
            if (line[i] == '"') {
                for (++j; j < line.size() && line[j] != '"'; ++j)
                    if (line[j] == '\\') ++j;
                ++j;
            } else {
                while (j < line.size() && line[j] != ' ') ++j;
            }
            out.push_back(line.substr(i, j - i));
            i = j;
        }
        return out;
    }

    static std::optional<SimLogLine> parse(const std::string& line) {
        SimLogLine l;
        if (line.rfind("# ", 0) == 0) {
            l.event = true;
            l.words = tokens(line.substr(2));
            return l;
        }
        l.words = tokens(line);
        if (l.words.size() < 10) return std::nullopt;
        l.reqId = l.words[0];
        l.op = l.words[1];
        l.version = l.words[2];
        l.principal = unquote(l.words[3]).value_or(l.words[3]);
        l.asked = l.words[4];
        l.answered = l.words[5];
        l.via = l.words[6];
        l.status = l.words[7];
        l.type = l.words[8];
        l.value = l.type == "s" ? unquote(l.words[9]).value_or(l.words[9]) : l.words[9];
        return l;
    }
};

class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> args = {}, std::string executable = defaultExecutable())
        : m_args(std::move(args)), m_executable(std::move(executable)) {}
    ~SimProcess() { stop(); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    static std::string defaultExecutable() {
#ifdef HV_SIM_PATH
        return HV_SIM_PATH;
#else
        const char* p = std::getenv("HV_SIM_PATH");
        return p ? p : "qmx_sim";
#endif
    }

    // Starts the simulator on a free port of address (127.0.0.1 unless the arguments give
    // --address) and waits until it listens. On failure error() says why.
    bool start(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        stop();
        char dir[] = "/tmp/qmx_sim.XXXXXX";
        if (!mkdtemp(dir)) return fail("mkdtemp: " + std::string(std::strerror(errno)));
        m_dir = dir;
        m_logPath = m_dir + "/requests.log";
        int sv[2];
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sv) != 0)
            return fail("socketpair: " + std::string(std::strerror(errno)));
        std::vector<std::string> argv = {m_executable, "--port", "0", "--log", m_logPath};
        argv.insert(argv.end(), m_args.begin(), m_args.end());
        std::vector<char*> cargv;
        for (auto& a : argv) cargv.push_back(a.data());
        cargv.push_back(nullptr);
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, sv[1], 0);
        posix_spawn_file_actions_adddup2(&fa, sv[1], 1);
        int rc = posix_spawn(&m_pid, m_executable.c_str(), &fa, nullptr, cargv.data(), environ);
        posix_spawn_file_actions_destroy(&fa);
        ::close(sv[1]);
        m_fd = sv[0];
        if (rc != 0) {
            m_pid = -1;
            return fail("cannot start " + m_executable + ": " + std::strerror(rc));
        }
        auto line = readLine(timeout);
        if (!line || line->rfind("port ", 0) != 0) {
            stop();
            return fail("the simulator did not report its port" + (line ? ": " + *line : std::string()));
        }
        m_port = std::stoi(line->substr(5));
        m_address = "127.0.0.1";
        for (size_t i = 0; i + 1 < m_args.size(); ++i)
            if (m_args[i] == "--address") m_address = m_args[i + 1];
        return true;
    }

    // Ends the simulator (SIGTERM, then SIGKILL after 5 s) and removes its log. Returns its exit status.
    int stop() {
        int status = -1;
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            status = reap(std::chrono::seconds(5));
            if (status == -1) {
                ::kill(m_pid, SIGKILL);
                status = reap(std::chrono::seconds(5));
            }
            m_pid = -1;
        }
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
        if (!m_dir.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(m_dir, ec);
            m_dir.clear();
        }
        return status;
    }

    // Waits for the simulator to end by itself; its exit status, or -1 at the deadline.
    int wait(std::chrono::milliseconds timeout) {
        int status = reap(timeout);
        if (status != -1) m_pid = -1;
        return status;
    }

    // Sends one control line and returns the reply ("ok ...", "error ..."); empty when none came.
    std::string command(const std::string& line,
                        std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        if (m_fd < 0) return {};
        std::string out = line + "\n";
        if (::send(m_fd, out.data(), out.size(), MSG_NOSIGNAL) != ssize_t(out.size())) return {};
        return readLine(timeout).value_or(std::string());
    }
    // The command succeeded ("ok" or "ok ...").
    bool ok(const std::string& line) {
        return command(line).rfind("ok", 0) == 0;
    }

    // Every log line so far, from line number `from` on (see logSize()).
    std::vector<SimLogLine> log(size_t from = 0) const {
        std::vector<SimLogLine> out;
        std::ifstream in(m_logPath);
        std::string text;
        for (size_t n = 0; std::getline(in, text); ++n)
            if (n >= from)
                if (auto l = SimLogLine::parse(text)) out.push_back(*l);
        return out;
    }
    size_t logSize() const {
        std::ifstream in(m_logPath);
        std::string text;
        size_t n = 0;
        while (std::getline(in, text)) ++n;
        return n;
    }
    // The varbind lines only.
    std::vector<SimLogLine> requests(size_t from = 0) const {
        auto all = log(from);
        std::erase_if(all, [](const SimLogLine& l) { return l.event; });
        return all;
    }
    // Waits until a log line from `from` on satisfies pred; the line, or nullopt at the deadline.
    std::optional<SimLogLine> waitForLog(const std::function<bool(const SimLogLine&)>& pred, size_t from = 0,
                                         std::chrono::milliseconds timeout = std::chrono::seconds(5)) const {
        auto deadline = std::chrono::steady_clock::now() + timeout;
        while (true) {
            for (const auto& l : log(from))
                if (pred(l)) return l;
            if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    int port() const {
        return m_port;
    }
    const std::string& address() const {
        return m_address;
    }
    std::string endpoint() const {
        return m_address + ":" + std::to_string(m_port);
    }
    pid_t pid() const {
        return m_pid;
    }
    const std::string& error() const {
        return m_error;
    }
    const std::string& logPath() const {
        return m_logPath;
    }

private:
    bool fail(const std::string& why) {
        m_error = why;
        return false;
    }

    std::optional<std::string> readLine(std::chrono::milliseconds timeout) {
        auto deadline = std::chrono::steady_clock::now() + timeout;
        while (true) {
            size_t nl = m_buffer.find('\n');
            if (nl != std::string::npos) {
                std::string line = m_buffer.substr(0, nl);
                m_buffer.erase(0, nl + 1);
                return line;
            }
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || m_fd < 0) return std::nullopt;
            pollfd p{m_fd, POLLIN, 0};
            int r = ::poll(&p, 1, int(left.count()));
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0) return std::nullopt;
            char buf[4096];
            ssize_t n = ::read(m_fd, buf, sizeof buf);
            if (n <= 0) return std::nullopt;
            m_buffer.append(buf, size_t(n));
        }
    }

    int reap(std::chrono::milliseconds timeout) {
        auto deadline = std::chrono::steady_clock::now() + timeout;
        while (true) {
            int status = 0;
            pid_t r = ::waitpid(m_pid, &status, WNOHANG);
            if (r == m_pid) return status;
            if (r < 0) return -2;
            if (std::chrono::steady_clock::now() >= deadline) return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    std::vector<std::string> m_args;
    std::string m_executable;
    std::string m_dir, m_logPath, m_address = "127.0.0.1", m_error, m_buffer;
    pid_t m_pid = -1;
    int m_fd = -1;
    int m_port = 0;
};
