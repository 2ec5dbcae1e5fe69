// Writes a generated tournament file, for the command-line tests that need a tournament larger
// than the examples: make_tournament OUT ENTRANTS ROUNDS SCORED_ROUNDS [team]
#include "persistence/tournament_format.h"
#include "support/generator.h"

#include <cstdio>
#include <string>

int main(int argc, char* argv[]) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: make_tournament OUT ENTRANTS ROUNDS SCORED_ROUNDS [team]\n");
        return 2;
    }
    rh::test::GeneratorOptions options;
    options.entrants = std::stoi(argv[2]);
    options.rounds = std::stoi(argv[3]);
    options.scoredRounds = std::stoi(argv[4]);
    if (argc > 5 && std::string(argv[5]) == "team")
        options.kind = rh::test::Kind::Team;
    options.title = "Generated <Open> & Friends";
    options.code = "GEN" + std::to_string(options.entrants);
    rh::TournamentState state;
    rh::test::generateTournament(state, options);
    rh::TournamentFormat format(false);
    if (!format.write(state, argv[1])) {
        std::fprintf(stderr, "%s\n", format.errorString().c_str());
        return 1;
    }
    return 0;
}
