#include "core/errors.h"

namespace rh {

std::string errorDescription(int number) {
    switch (number) {
    case err::InvalidCall:
        return "Invalid procedure call or argument";
    case err::Overflow:
        return "Overflow";
    case err::OutOfMemory:
        return "Out of memory";
    case err::BadIndex:
        return "Subscript out of range";
    case err::TypeMismatch:
        return "Type mismatch";
    case err::FileNotFound:
        return "File not found";
    case err::DiskFull:
        return "Disk full";
    case err::PermissionDenied:
        return "Permission denied";
    case err::PathFileAccess:
        return "Path/File access error";
    case err::PathNotFound:
        return "Path not found";
    case err::DuplicateKey:
        return "This key is already associated with an element of this collection";
    default:
        return "Application-defined or object-defined error";
    }
}

RhError::RhError(int number) : RhError(number, errorDescription(number)) {}

RhError::RhError(int number, std::string description)
    : std::runtime_error(description), m_number(number), m_description(std::move(description)) {}

std::string commonErrorText(int number, const std::string& description) {
    return "The following error occured: \r\nError # " + std::to_string(number) + "\r\n" +
           description;
}

std::string commonErrorText(const RhError& error) {
    return commonErrorText(error.number(), error.description());
}

} // namespace rh
