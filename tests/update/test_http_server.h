#pragma once
// A loopback HTTP server for the update tests: Python's http.server serving
// a temporary folder, logging every request's line and headers as one JSON
// line. As a proxy it answers every request itself with "proxied".
// "/status/<code>/<body>" answers with that status and body, and
// "/unsized/<n>" with n bytes and no length (the end is the connection's).

#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace tessaly::test {

inline constexpr char kServerScript[] = R"PY(
import http.server, json, sys
root, log, mode = sys.argv[1], sys.argv[2], sys.argv[3]
class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, **kwargs):
        super().__init__(*args, directory=root, **kwargs)
    def do_GET(self):
        with open(log, 'a') as f:
            f.write(json.dumps({'line': self.requestline, 'headers': dict(self.headers)}) + '\n')
        parts = self.path.split('/')
        if len(parts) >= 4 and parts[1] == 'status':
            body = '/'.join(parts[3:]).encode()
            self.send_response(int(parts[2]))
            self.send_header('Content-Length', str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return
        if len(parts) == 3 and parts[1] == 'unsized':
            self.send_response(200)
            self.end_headers()
            self.wfile.write(b'u' * int(parts[2]))
            return
        if mode == 'proxy':
            body = b'proxied'
            self.send_response(200)
            self.send_header('Content-Length', str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return
        super().do_GET()
    def log_message(self, *args):
        pass
server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
)PY";

class TestHttpServer {
  public:
    explicit TestHttpServer(bool proxy = false)
        : process_(std::make_unique<ChildProcess>(
              "/usr/bin/env",
              std::vector<std::string>{"python3", "-c", kServerScript, root_.path().string(),
                                       (log_.path() / "requests.log").string(),
                                       proxy ? "proxy" : "files"},
              std::vector<std::string>{})) {
        if (auto line = process_->ReadLine(std::chrono::seconds(30))) {
            port_ = std::stoi(*line);
        }
    }

    bool Running() const { return port_ > 0; }
    int Port() const { return port_; }
    // "http://127.0.0.1:<port>/".
    std::string Address() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
    const TempDir& Root() const { return root_; }
    // The request log so far.
    std::string Requests() const {
        std::ifstream file(log_.path() / "requests.log");
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

  private:
    TempDir root_;
    TempDir log_;
    std::unique_ptr<ChildProcess> process_;
    int port_ = 0;
};

// Makes a zip archive with Python's zipfile: entries as (name, content)
// pairs, in order; a name ending with "/" is a folder.
inline bool MakeZip(const std::string& path,
                    const std::vector<std::pair<std::string, std::string>>& entries) {
    TempDir contents;
    std::vector<std::string> arguments{
        "python3", "-c",
        "import sys, zipfile\n"
        "z = zipfile.ZipFile(sys.argv[1], 'w')\n"
        "for i in range(2, len(sys.argv), 2):\n"
        "    z.writestr(zipfile.ZipInfo(sys.argv[i]), open(sys.argv[i + 1], 'rb').read())\n"
        "z.close()\n",
        path};
    for (size_t i = 0; i < entries.size(); ++i) {
        arguments.push_back(entries[i].first);
        arguments.push_back(contents.Write(std::to_string(i), entries[i].second).string());
    }
    return RunProgram("/usr/bin/env", arguments, {}) == 0;
}

}  // namespace tessaly::test
