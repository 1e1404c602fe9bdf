// Turns samples measured by the benchmark script (one number a line on standard
// input) into a row of the table, summarised as the in-process figures are.
#include "bench/stats.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    Figure figure;
    const bool betterKnown =
        argc >= 4 && (!std::strcmp(argv[3], "lower") || !std::strcmp(argv[3], "higher"));
    if (argc < 4 || argc > 5 || !betterKnown ||
        !Target::parse(argc == 5 ? argv[4] : "", figure.target)) {
        std::fprintf(stderr, "usage: %s FIGURE UNIT lower|higher [<=LIMIT|>=LIMIT] < samples\n",
                     argv[0]);
        return 2;
    }
    figure.name = argv[1];
    figure.unit = argv[2];
    figure.better = std::strcmp(argv[3], "lower") == 0 ? Better::Lower : Better::Higher;

    std::vector<double> samples;
    std::string word;
    while (std::cin >> word) {
        try {
            size_t used = 0;
            const double value = std::stod(word, &used);
            if (used == word.size()) {
                samples.push_back(value);
                continue;
            }
        } catch (const std::exception&) {
        }
        std::fprintf(stderr, "%s: not a number: %s\n", argv[0], word.c_str());
        return 2;
    }
    std::printf("%s\n", csvRow(figure, samples).c_str());
    return 0;
}
