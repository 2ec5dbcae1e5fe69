#include "pdf_reader.h"

#include <cstdio>

namespace rh::test {

namespace {

std::string quoted(const std::string& path) {
    std::string out = "'";
    for (char c : path)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string run(const std::string& command) {
    std::string out;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

} // namespace

std::string pdfText(const std::string& path, int first, int last) {
    std::string command = "pdftotext -raw -enc UTF-8";
    if (first > 0)
        command += " -f " + std::to_string(first) + " -l " + std::to_string(last);
    return run(command + " " + quoted(path) + " - 2>/dev/null");
}

int pdfPageCount(const std::string& path) {
    const std::string info = run("pdfinfo " + quoted(path) + " 2>/dev/null");
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

} // namespace rh::test
