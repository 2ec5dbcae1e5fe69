#include "persistence/code_page.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace rh {

namespace {

// Code points of the bytes 0x80..0x9F. The undefined bytes keep their own value (C1 controls).
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Length and value of the UTF-8 sequence at pos, or 0 when it is not well-formed.
std::size_t decodeAt(std::string_view s, std::size_t pos, char32_t& cp) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char b0 = byte(pos);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (pos + len > s.size())
        return 0;
    for (std::size_t i = 1; i < len; ++i) {
        unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

// The number of ASCII bytes at the start of s. Tournament files are nearly all ASCII, so the
// decoders skip such runs eight bytes at a time and copy them whole.
std::size_t asciiRun(std::string_view s) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i + 8 <= n) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, sizeof word);
        if (word & 0x8080808080808080ULL)
            break;
        i += 8;
    }
    while (i < n && static_cast<unsigned char>(s[i]) < 0x80)
        ++i;
    return i;
}

} // namespace

std::string MaskText(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ kMaskByte);
    return out;
}

bool looksPlain(std::string_view bytes) {
    std::string head(bytes.substr(0, 32));
    for (char& c : head)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return head.find("XML") != std::string::npos;
}

bool isValidUtf8(std::string_view bytes) {
    char32_t cp;
    for (std::size_t pos = 0; pos < bytes.size();) {
        pos += asciiRun(bytes.substr(pos));
        if (pos == bytes.size())
            break;
        std::size_t len = decodeAt(bytes, pos, cp);
        if (len == 0)
            return false;
        pos += len;
    }
    return true;
}

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        std::size_t run = asciiRun(bytes.substr(pos));
        out.append(bytes.data() + pos, run);
        pos += run;
        if (pos == bytes.size())
            break;
        auto b = static_cast<unsigned char>(bytes[pos]);
        appendUtf8(out, b < 0xA0 ? kHigh[b - 0x80] : b);
    }
    return out;
}

int cp1252ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp)
            return static_cast<int>(0x80 + i);
    return -1;
}

char32_t nextCodePoint(std::string_view utf8, std::size_t& pos) {
    char32_t cp = 0;
    std::size_t len = decodeAt(utf8, pos, cp);
    if (len == 0) {
        ++pos;
        return 0xFFFD;
    }
    pos += len;
    return cp;
}

std::string fileBytesToText(std::string bytes) {
    if (!looksPlain(bytes))
        for (char& c : bytes)
            c = static_cast<char>(static_cast<unsigned char>(c) ^ kMaskByte);
    if (std::string_view(bytes).substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.erase(0, 3);
        if (isValidUtf8(bytes))
            return bytes;
        // Marked as UTF-8 but not all of it is: each byte that begins no character stands for
        // U+FFFD, so the tournament holds only characters it can write back as they were read.
        std::string text;
        text.reserve(bytes.size() + 16);
        for (std::size_t pos = 0; pos < bytes.size();)
            appendUtf8(text, nextCodePoint(bytes, pos));
        return text;
    }
    if (asciiRun(bytes) == bytes.size() || isValidUtf8(bytes))
        return bytes;
    return cp1252ToUtf8(bytes);
}

} // namespace rh
