#include "support/temp_dir.h"

#include "persistence/private_folder.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace rh::test {

TempDir::TempDir() {
    const char* old = std::getenv("TMPDIR");
    m_hadTmpDir = old != nullptr;
    if (old)
        m_oldTmpDir = old;
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = base / ("rankhall-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(candidate)) {
            m_path = candidate;
            break;
        }
    }
    if (m_path.empty())
        throw std::runtime_error("cannot create a temporary folder");
    ::setenv("TMPDIR", m_path.c_str(), 1);
}

std::filesystem::path privateFolder(const TempDir& dir) {
    return privateFolderIn(dir.str());
}

TempDir::~TempDir() {
    if (m_hadTmpDir)
        ::setenv("TMPDIR", m_oldTmpDir.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
    std::error_code ec;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace rh::test
