#include "net/qr_code.h"

#include <qrencode.h>

#include <memory>

namespace rh {

QrModules qrCodeModules(std::string_view text) {
    const std::string input(text);
    if (input.empty())
        return {};
    std::unique_ptr<QRcode, void (*)(QRcode*)> code(
        QRcode_encodeString(input.c_str(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), QRcode_free);
    if (!code)
        return {};
    QrModules modules;
    modules.width = code->width;
    modules.dark.resize(std::size_t(code->width) * std::size_t(code->width));
    for (std::size_t i = 0; i < modules.dark.size(); ++i)
        modules.dark[i] = (code->data[i] & 1) != 0;
    return modules;
}

std::string qrCodeSvg(std::string_view text) {
    const QrModules code = qrCodeModules(text);
    if (code.width == 0)
        return {};
    constexpr int kQuiet = 4;
    const int width = code.width;
    const std::string size = std::to_string(width + 2 * kQuiet);
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + size + " " +
                      size + "\" shape-rendering=\"crispEdges\"><rect width=\"" + size +
                      "\" height=\"" + size + "\" fill=\"#ffffff\"/><path fill=\"#000000\" d=\"";
    // One rectangle per run of dark modules in a row.
    for (int y = 0; y < width; ++y) {
        for (int x = 0; x < width;) {
            if (!code.at(x, y)) {
                ++x;
                continue;
            }
            int run = 1;
            while (x + run < width && code.at(x + run, y))
                ++run;
            svg += "M" + std::to_string(x + kQuiet) + " " + std::to_string(y + kQuiet) + "h" +
                   std::to_string(run) + "v1h-" + std::to_string(run) + "z";
            x += run;
        }
    }
    svg += "\"/></svg>";
    return svg;
}

} // namespace rh
