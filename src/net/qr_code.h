#pragma once
// The QR code of a text (the standings server's address) as an SVG element, for the wall screen.

#include <string>
#include <string_view>

namespace rh {

/// An <svg> element drawing the QR code of the text (error correction level M, a quiet zone of
/// four modules, black on white, scaling to its box). "" when the text cannot be encoded.
std::string qrCodeSvg(std::string_view text);

} // namespace rh
