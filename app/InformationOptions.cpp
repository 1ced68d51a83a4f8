#include "app/InformationOptions.h"

#include "QuorvelVersion.h"

#include <string_view>

namespace {

// What help2man turns into the manual page as well.
constexpr char kHelp[] =
    "Usage: quorvel [OPTION]\n"
    "Plans the teams of one guild's plague-zone raids, in a window.\n"
    "\n"
    "The window reads and writes Virus.dat and Heroes.dat in the current folder;\n"
    "the desktop menu starts it through quorvel-launch, which changes into the\n"
    "guild folder first. quorvel-plan and quorvel-roster plan and move the tables\n"
    "from the command line.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and end.\n"
    "  --version      Show the version and end.\n"
    "\n"
    "Any other argument is left to Qt (for example -platform offscreen).\n"
    "\n"
    "Exit status: 0 when the window has closed.\n";

} // namespace

std::optional<int> AnswerInformationOptions(int argc, const char* const* argv, std::FILE* out)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--help" || argument == "-h") {
            std::fputs(kHelp, out);
            return 0;
        }
        if (argument == "--version") {
            std::fprintf(out, "quorvel %s\n", kQuorvelVersion);
            return 0;
        }
    }
    return std::nullopt;
}
