#pragma once
// Bytes on disk of a tournament file: single-byte Windows-1252 text, plain or masked.
//
// Inside the program every string is UTF-8. A file is decoded to UTF-8 before it is parsed and the
// writer encodes to Windows-1252 while it serialises; a character that the code page cannot hold
// is written as an XML character reference, so nothing typed by the director is ever lost.

#include <string>
#include <string_view>

namespace rh {

/// The mask byte: every byte of a masked file is the plain byte exclusive-or this constant.
/// Printable ASCII; chosen so that the masked form of the XML declaration the writer always
/// starts with holds no "XML" in any letter case within its first 32 bytes.
inline constexpr unsigned char kMaskByte = 'K';

/// Masks or unmasks (the operation is its own inverse).
std::string MaskText(std::string_view text);

/// True when the first 32 characters, upper-cased, contain "XML": the text is plain.
bool looksPlain(std::string_view bytes);

/// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates, nothing above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

/// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined map to the C1
/// controls of the same value, so every byte string survives a decode and re-encode unchanged.
std::string cp1252ToUtf8(std::string_view bytes);

/// The Windows-1252 byte of a code point, or -1 when the code page has none.
int cp1252ByteOf(char32_t codePoint);

/// Decodes one UTF-8 sequence at `pos` (advanced past it). An invalid sequence yields U+FFFD and
/// skips one byte.
char32_t nextCodePoint(std::string_view utf8, std::size_t& pos);

/// The file's bytes as UTF-8 XML text: unmasked when it is not plain, then taken as UTF-8 when the
/// bytes are valid UTF-8 with content beyond ASCII (a byte-order mark is dropped), else decoded
/// from Windows-1252. The bytes are unmasked where they lie.
std::string fileBytesToText(std::string bytes);

} // namespace rh
