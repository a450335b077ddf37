// bellarune-check [data file] [picture directory]
// Prints how many items qualify for every question type and every problem found;
// exits with 1 when there is a problem, 2 on wrong usage.
#include <filesystem>
#include <iostream>

#include "checker.h"

int main(int argc, char** argv)
{
    if (argc > 3 || (argc > 1 && std::string(argv[1]).rfind("-", 0) == 0)) {
        std::cerr << "usage: bellarune-check [zel.dat] [picture directory]\n";
        return 2;
    }
    const std::string data = argc > 1 ? argv[1] : "zel.dat";
    std::string pictures = argc > 2 ? argv[2] : std::filesystem::path(data).parent_path().string();
    if (pictures.empty())
        pictures = ".";
    try {
        bellarune::NameTables names;
        names.InitTables();
        const bellarune::CheckReport report = bellarune::CheckDatabase(data, pictures);
        std::cout << bellarune::FormatReport(report, names);
        return report.problems.empty() ? 0 : 1;
    } catch (const std::exception& e) {  // out of memory while printing, say: still a report
        std::cout << "problem: the check stopped: " << e.what() << "\n1 problem\n";
        return 1;
    }
}
