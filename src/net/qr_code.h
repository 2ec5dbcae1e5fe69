#pragma once
// The QR code of a text (the standings server's address) as an SVG element, for the wall screen.

#include <string>
#include <string_view>
#include <vector>

namespace rh {

/// An <svg> element drawing the QR code of the text (error correction level M, a quiet zone of
/// four modules, black on white, scaling to its box). "" when the text cannot be encoded.
std::string qrCodeSvg(std::string_view text);

/// The modules of the text's QR code (level M), row by row without the quiet zone: width * width
/// values, true for a dark module. Empty when the text cannot be encoded.
struct QrModules {
    int width = 0;
    std::vector<bool> dark;
    bool at(int x, int y) const { return dark[std::size_t(y * width + x)]; }
};
QrModules qrCodeModules(std::string_view text);

} // namespace rh
