// Runs a fuzz target without libFuzzer, as an ordinary test: every input of its corpus
// folder, then a fixed number of pseudo-random mutations of them, the same on every run.
//
//   fuzzcorpus_<target> <corpus folder> [mutations per input]

#include "fuzzing.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Pieces a mutation may insert: signs, separators, blanks, quotes, the parts of dates
// and filters, a NUL, non-ASCII digits and blanks, and bytes of broken UTF-8.
const std::vector<std::string>& pieces() {
    static const std::vector<std::string> p{"0",
                                            "1",
                                            "9",
                                            "-",
                                            "+",
                                            ",",
                                            ".",
                                            " ",
                                            "\t",
                                            "\n",
                                            "'",
                                            "''",
                                            "/",
                                            ":",
                                            "T",
                                            "=",
                                            " and ",
                                            " or ",
                                            "%",
                                            "_",
                                            std::string(1, '\0'),
                                            "\xD9\xA1",
                                            "\xD9\xA2",
                                            "\xC2\xA0",
                                            "\xE3\x80\x80",
                                            "\xEF\xBC\x91",
                                            "\xF0\x9F\x98\x80",
                                            "\xFF",
                                            "\xC3",
                                            "\xED\xA0\x80",
                                            "9223372036854775807",
                                            "9223372036854775808",
                                            "2147483648",
                                            "0000",
                                            "2008",
                                            "29/02",
                                            "31",
                                            "mar",
                                            "sept",
                                            "-01-",
                                            " 10:30:00",
                                            "e5",
                                            "nan",
                                            "inf"};
    return p;
}

Bytes mutate(const std::vector<Bytes>& corpus, std::mt19937& random) {
    const auto pick = [&](size_t n) { return n == 0 ? size_t(0) : size_t(random() % n); };
    Bytes b = corpus[pick(corpus.size())];
    const int steps = 1 + int(random() % 4);
    for (int s = 0; s < steps; ++s) {
        switch (random() % 7) {
        case 0: // a byte changed
            if (!b.empty())
                b[pick(b.size())] = uint8_t(random());
            break;
        case 1: // a byte dropped
            if (!b.empty())
                b.erase(b.begin() + std::ptrdiff_t(pick(b.size())));
            break;
        case 2: { // a piece inserted
            const std::string& p = pieces()[pick(pieces().size())];
            b.insert(b.begin() + std::ptrdiff_t(pick(b.size() + 1)), p.begin(), p.end());
            break;
        }
        case 3: { // a span repeated
            if (b.empty())
                break;
            const size_t from = pick(b.size());
            const size_t length = 1 + pick(std::min<size_t>(b.size() - from, 16));
            const Bytes span(b.begin() + std::ptrdiff_t(from),
                             b.begin() + std::ptrdiff_t(from + length));
            for (int times = 1 + int(random() % 3); times > 0; --times)
                b.insert(b.begin() + std::ptrdiff_t(from), span.begin(), span.end());
            break;
        }
        case 4: { // the tail of another input after the head of this one
            const Bytes& other = corpus[pick(corpus.size())];
            b.resize(pick(b.size() + 1));
            b.insert(b.end(), other.begin() + std::ptrdiff_t(pick(other.size() + 1)), other.end());
            break;
        }
        case 5: // a digit changed into another
            for (uint8_t& c : b)
                if (c >= '0' && c <= '9' && random() % 3 == 0)
                    c = uint8_t('0' + random() % 10);
            break;
        default: // a long run of digits
            b.insert(b.begin() + std::ptrdiff_t(pick(b.size() + 1)), 10 + pick(40),
                     uint8_t('0' + random() % 10));
            break;
        }
    }
    return b;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <corpus folder> [mutations per input]\n", argv[0]);
        return 2;
    }
    const int mutations = argc > 2 ? std::stoi(argv[2]) : 100;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1]))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end()); // the same order, so the same mutations
    std::vector<Bytes> corpus;
    for (const auto& f : files) {
        std::ifstream in(f, std::ios::binary);
        corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (corpus.empty()) {
        std::fprintf(stderr, "%s holds no inputs\n", argv[1]);
        return 2;
    }
    long runs = 0;
    for (const Bytes& input : corpus) {
        LLVMFuzzerTestOneInput(input.data(), input.size());
        ++runs;
    }
    std::mt19937 random(20080305);
    for (long i = 0; i < long(corpus.size()) * mutations; ++i) {
        const Bytes input = mutate(corpus, random);
        LLVMFuzzerTestOneInput(input.data(), input.size());
        ++runs;
    }
    std::printf("%zu inputs and %ld runs, every check held\n", corpus.size(), runs);
    return 0;
}
