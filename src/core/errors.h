#pragma once
// Typed run-time errors of the core. An operation that the tournament rules call an error to its
// caller (a duplicate key, a bad index, a number that does not convert) throws RhError carrying the
// error number and description that the common error message shows to the director.

#include <stdexcept>
#include <string>

namespace rh {

namespace err {
inline constexpr int InvalidCall = 5; // a keyed collection's "not found"
inline constexpr int Overflow = 6;    // a number outside its 16- or 32-bit range
inline constexpr int OutOfMemory = 7;
inline constexpr int BadIndex = 9;      // subscript out of range
inline constexpr int TypeMismatch = 13; // text that is not a number
inline constexpr int FileNotFound = 53;
inline constexpr int DiskFull = 61;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int DuplicateKey = 457; // a keyed collection already holds the key
} // namespace err

/// The standard description of an error number ("Overflow", "Type mismatch", ...).
std::string errorDescription(int number);

class RhError : public std::runtime_error {
public:
    explicit RhError(int number);
    RhError(int number, std::string description);

    int number() const noexcept { return m_number; }
    const std::string& description() const noexcept { return m_description; }

private:
    int m_number;
    std::string m_description;
};

/// The text of the common error message: three lines joined by CR LF.
std::string commonErrorText(int number, const std::string& description);
std::string commonErrorText(const RhError& error);

} // namespace rh
