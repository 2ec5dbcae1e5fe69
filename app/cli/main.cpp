// rankhall-cli: the headless tool. Checks, reports, converts and publishes tournament files.
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* kUsage =
    "Usage: rankhall-cli COMMAND [OPTIONS] FILE\n"
    "\n"
    "Commands:\n"
    "  check FILE                 load a tournament file and report what the load shows\n"
    "  report FILE                print the standings, payouts and jackpot as JSON\n"
    "  html FILE [-o OUT]         write the HTML standings page\n"
    "  save FILE -o OUT [--plain] load and write the tournament back\n"
    "  unmask FILE                print the XML text of a tournament file\n"
    "\n"
    "Options:\n"
    "  -h, --help                 show this help\n";

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    std::fprintf(stderr, "rankhall-cli: unknown command '%s'\n\n%s", argv[1], kUsage);
    return 2;
}
