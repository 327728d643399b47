#pragma once
// Runs the built tessalyctl on the virtual mouse, with its own data folder,
// runtime folder and mouse state file, and reads what it stored and sent.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

extern char** environ;

namespace tessaly::test {

struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
  protected:
    // More of the tool's environment (TESSALY_ variables are not passed on).
    std::vector<std::string> extra_env;

    CliTest() {
        std::filesystem::create_directories(dir.path() / "run");
        std::filesystem::create_directories(dir.path() / "config");
    }

    // The tool with the virtual mouse (receiver alone unless `links` says
    // otherwise), the shipped data and this test's folders.
    CliResult Cli(std::vector<std::string> args, std::vector<std::string> links = {}) {
        std::vector<std::string> line{"--emulate"};
        line.insert(line.end(), links.begin(), links.end());
        for (const std::string& option :
             std::vector<std::string>{"--data-dir", (dir.path() / "data").string() + "/",
                                      "--emulator-state", (dir.path() / "mouse.state").string(),
                                      "--hid-trace", (dir.path() / "hid.txt").string()})
            line.push_back(option);
        line.insert(line.end(), args.begin(), args.end());
        return Raw(line);
    }
    // The tool with exactly these arguments.
    CliResult Raw(const std::vector<std::string>& args) {
        std::vector<std::string> words{std::string(TESSALY_BINARY_DIR) + "/tessalyctl"};
        words.insert(words.end(), args.begin(), args.end());
        return Spawn(words);
    }
    // A program (words[0], a full path) in the tool's environment.
    CliResult Spawn(std::vector<std::string> words) { return Finish(Start(std::move(words))); }

    // A program started and not waited for; its output goes to
    // <name>.out and <name>.err in the test's folder.
    struct Started {
        pid_t pid = -1;
        std::string name;
    };
    Started Start(std::vector<std::string> words, const std::string& name = "std") {
        const std::string program = words.front();
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        std::vector<std::string> env{"XDG_RUNTIME_DIR=" + (dir.path() / "run").string(),
                                     "XDG_CONFIG_HOME=" + (dir.path() / "config").string(),
                                     "ASAN_OPTIONS=detect_leaks=0"};
        env.insert(env.end(), extra_env.begin(), extra_env.end());
        for (char** entry = environ; *entry; ++entry) {
            const std::string text = *entry;
            if (text.rfind("XDG_", 0) != 0 && text.rfind("ASAN_OPTIONS=", 0) != 0 &&
                text.rfind("TESSALY_", 0) != 0)
                env.push_back(text);
        }
        std::vector<char*> envp;
        for (std::string& entry : env)
            envp.push_back(entry.data());
        envp.push_back(nullptr);

        const std::string out_path = (dir.path() / (name + ".out")).string();
        const std::string err_path = (dir.path() / (name + ".err")).string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        Started started{-1, name};
        if (posix_spawn(&started.pid, program.c_str(), &actions, nullptr, argv.data(),
                        envp.data()) != 0)
            started.pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        return started;
    }
    // Waits for it to end.
    CliResult Finish(const Started& started) {
        CliResult result;
        if (started.pid > 0) {
            int status = 0;
            waitpid(started.pid, &status, 0);
            result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        result.out = dir.Read(started.name + ".out");
        result.err = dir.Read(started.name + ".err");
        return result;
    }

    std::string DatabasePath() const {
        return (dir.path() / "data" / "db" / "tx7w_data.db").string();
    }

    // Rows of a query, one text per row, columns joined by '|'.
    std::vector<std::string> Query(const std::string& sql) const {
        std::vector<std::string> rows;
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(DatabasePath().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) ==
            SQLITE_OK) {
            sqlite3_exec(
                db, sql.c_str(),
                [](void* sink, int columns, char** values, char**) {
                    std::string row;
                    for (int i = 0; i < columns; ++i)
                        row += (i ? "|" : "") + std::string(values[i] ? values[i] : "NULL");
                    static_cast<std::vector<std::string>*>(sink)->push_back(row);
                    return 0;
                },
                &rows, nullptr);
        }
        sqlite3_close(db);
        return rows;
    }
    // Runs statements on the store between two runs of the tool; false on
    // an error.
    bool Execute(const std::string& sql) const {
        sqlite3* db = nullptr;
        bool done = sqlite3_open_v2(DatabasePath().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
                        SQLITE_OK &&
                    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(db);
        return done;
    }
    std::string Stored(const std::string& key, int profile = 1) const {
        const auto rows =
            Query("SELECT value FROM t_configdata WHERE profile = " + std::to_string(profile) +
                  " AND key = '" + key + "'");
        return rows.empty() ? "<missing>" : rows.front();
    }
    // Every table's rows, to compare before and after a refused command.
    std::vector<std::string> AllTables() const {
        std::vector<std::string> all;
        for (const std::string& table :
             Query("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
            all.push_back("== " + table);
            for (const std::string& row : Query("SELECT * FROM " + table))
                all.push_back(row);
        }
        return all;
    }
    // The payloads written to the mouse, as hex texts.
    std::vector<std::string> Writes() const {
        std::vector<std::string> writes;
        std::ifstream trace(dir.path() / "hid.txt");
        for (std::string line; std::getline(trace, line);) {
            std::istringstream words(line);
            std::string time, kind, path;
            words >> time >> kind >> path;
            if (kind == "W") {
                std::string rest;
                std::getline(words, rest);
                writes.push_back(rest.substr(rest.find_first_not_of(' ')));
            }
        }
        return writes;
    }
    void ClearTrace() const { std::ofstream(dir.path() / "hid.txt", std::ios::trunc); }

    // A copy of the shipped program folder (languages and skins linked) for
    // a test that edits config.xml or a description file; give it with
    // --program-dir.
    std::filesystem::path CopyProgramFolder() const {
        const std::filesystem::path shipped = TESSALY_BINARY_DIR;
        const std::filesystem::path copy = dir.path() / "program";
        std::filesystem::create_directories(copy);
        std::filesystem::copy_file(shipped / "config.xml", copy / "config.xml");
        std::filesystem::copy(shipped / "device", copy / "device",
                              std::filesystem::copy_options::recursive);
        for (const char* linked : {"language", "skins"})
            std::filesystem::create_directory_symlink(shipped / linked, copy / linked);
        return copy;
    }
    // Replaces the first `from` in the file with `to`; false when absent.
    static bool ReplaceInFile(const std::filesystem::path& file, const std::string& from,
                              const std::string& to) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        std::string content = text.str();
        const size_t at = content.find(from);
        if (at == std::string::npos)
            return false;
        content.replace(at, from.size(), to);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
        return true;
    }

    TempDir dir;
};

}  // namespace tessaly::test
