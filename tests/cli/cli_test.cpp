// The ostrelix-table companion: its output, its exit codes and its batch mode.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct Outcome {
    int exitCode;
    std::string out, err;
};

std::string Slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs the companion with the given arguments (already quoted for the shell) and,
// if given, standard input.
Outcome Table(const std::string& args, const std::string& input = "") {
    const auto dir =
        std::filesystem::temp_directory_path() / ("ostrelix-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "in", std::ios::binary) << input;
    const std::string cmd = std::string("LC_ALL=C ") + OSTRELIX_TABLE + " " + args + " <" +
                            (dir / "in").string() + " >" + (dir / "out").string() + " 2>" +
                            (dir / "err").string();
    const int status = std::system(cmd.c_str());
    Outcome r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir / "out"), Slurp(dir / "err")};
    std::filesystem::remove_all(dir);
    return r;
}

TEST(Companion, PrintsTheVolumeAndTheTwentyOnePoints) {
    const Outcome r = Table("3 2 1.5 3 1");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "Volume=010.50\t10.5\n"
              "0\t0\n"
              "LP[01]=\t2.857143\nLP[02]=\t5.714286\nLP[03]=\t8.571429\nLP[04]=\t11.428572\n"
              "LP[05]=\t14.285714\nLP[06]=\t20.000002\nLP[07]=\t25.714285\nLP[08]=\t31.428572\n"
              "LP[09]=\t37.142857\nLP[10]=\t42.857143\nLP[11]=\t48.57143\nLP[12]=\t54.285717\n"
              "LP[13]=\t59.999996\nLP[14]=\t65.71429\nLP[15]=\t71.42857\nLP[16]=\t77.14286\n"
              "LP[17]=\t82.85715\nLP[18]=\t88.57143\nLP[19]=\t94.28571\nLP[20]=\t100\n");
    // Every shape answers; shape 9's full level stays at 99.981125.
    const Outcome nine = Table("9 10 2 0 0");
    EXPECT_EQ(nine.exitCode, 0);
    EXPECT_NE(nine.out.find("Volume=031.42\t31.41593\n"), std::string::npos);
    EXPECT_NE(nine.out.find("LP[20]=\t99.981125\n"), std::string::npos);
}

TEST(Companion, ErrorsFaultsAndUsage) {
    const struct {
        const char* args;
        int exitCode;
        const char* err;
    } cases[] = {
        {"1 '3 m' 1 1 0", 1, "'3 m' is not a valid floating point value\n"},
        {"1 1 1 1 ''", 1, "'' is not a valid floating point value\n"},
        {"1 1e39 1 1 0", 1, "Floating point overflow\n"},
        {"1 1 1 0 0", 2, "Invalid Setting\n"},
        {"11 10 0 0 0", 2, "Invalid Setting\n"},
        {"1 1 1 1 1e39", 2, "Invalid Setting\n"},
    };
    for (const auto& c : cases) {
        const Outcome r = Table(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
    }
    for (const char* args : {"", "1 1 1 1", "1 1 1 1 1 1", "0 1 1 1 1", "12 1 1 1 1", "x 1 1 1 1",
                             "' 1' 1 1 1 1", "--batch x"}) {
        const Outcome r = Table(args);
        EXPECT_EQ(r.exitCode, 64) << args;
        EXPECT_EQ(r.err.rfind("usage: ostrelix-table", 0), 0u) << args;
    }
}

TEST(Companion, BatchAnswersEveryLineAndGoesOn) {
    const Outcome r = Table("--batch",
                            "1\t2.5\t1.2\t3\t0\n"
                            "1\t1\t1\t0\t0\n"
                            "2\t3 m\t4\t0\t0\n"
                            "5\t3\t5\n"
                            "13\t1\t1\t1\t1\n"
                            "8\t 4 \t\t\t\r\n"
                            "8\t 4 \t0\t0\t0\r\n"
                            "\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(
        r.out,
        "OK\tVolume=9.00\t9\t5\t10\t15\t20\t25\t30\t35\t40\t45\t50\t55\t60\t65\t70\t75\t80\t85"
        "\t90\t95\t100\n"
        "FAULT\tInvalid Setting\n"
        "ERROR\t'3 m' is not a valid floating point value\n"
        "ERROR\texpected 5 fields separated by tabs, found 3\n"
        "ERROR\tshape must be 1 to 11\n"
        "ERROR\t'' is not a valid floating point value\n"
        // The sphere of diameter 4: LP[04] 10.400001, LP[10] 50, LP[12] 64.8, and
        // p(i) + p(20 - i) = 100.
        "OK\tVolume=033.51\t33.510326\t0.725\t2.8000002\t6.0750003\t10.400001\t15.625"
        "\t21.600002\t28.175\t35.2\t42.524998\t50\t57.475002\t64.8\t71.825\t78.4\t84.375"
        "\t89.6\t93.925\t97.2\t99.275\t100\n"
        "ERROR\texpected 5 fields separated by tabs, found 1\n");
}

}  // namespace
