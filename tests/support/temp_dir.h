#pragma once
// A temporary folder of the test's own, removed at the end. While it lives, TMPDIR points at it,
// so recovery copies and HTML pages land in it (in the private folder inside) and never touch
// another run's files.

#include <filesystem>
#include <string>

namespace rh::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string str() const { return m_path.string(); }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
    std::string m_oldTmpDir;
    bool m_hadTmpDir = false;
};

/// The user's private folder in the temporary folder, where the program keeps its recovery
/// copies, journals and pages (made by the first Session or GetTempDir).
std::filesystem::path privateFolder(const TempDir& dir);

/// The whole content of a file, as bytes.
std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace rh::test
