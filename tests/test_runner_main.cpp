// The main function of a folder's test runner: `tests_<folder> <stem> [QtTest arguments]` runs the
// test of test_<stem>.cpp; without a stem, lists the tests it holds.
#include "test_runner.h"

#include <cstdio>
#include <map>
#include <string>

namespace {

std::map<std::string, ravlin::test::TestMain>& registry() {
    static std::map<std::string, ravlin::test::TestMain> tests;
    return tests;
}

} // namespace

bool ravlin::test::registerTestMain(const char* file, TestMain main) {
    std::string name = file;
    const auto slash = name.find_last_of('/');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    if (name.rfind("test_", 0) == 0) name.erase(0, 5);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".cpp") == 0) name.resize(name.size() - 4);
    registry()[name] = main;
    return true;
}

int main(int argc, char** argv) {
    const auto found = argc > 1 ? registry().find(argv[1]) : registry().end();
    if (found == registry().end()) {
        if (argc > 1) std::fprintf(stderr, "%s: no test \"%s\"\n", argv[0], argv[1]);
        std::fprintf(stderr, "usage: %s TEST [QtTest arguments]; tests:", argv[0]);
        for (const auto& [name, main] : registry())
            std::fprintf(stderr, " %s", name.c_str());
        std::fprintf(stderr, "\n");
        return 2;
    }
    // The test sees the runner's name as its program and the arguments after its own name.
    argv[1] = argv[0];
    return found->second(argc - 1, argv + 1);
}
