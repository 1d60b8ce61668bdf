// A save killed at a random moment leaves the file either as it was or fully
// replaced, never torn, and does not get in the way of later loads and saves.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "calc/error.h"
#include "store/statefiles.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// About 600 kB of lines that differ in every line from one version to the next.
store::LineBuffer Version(char tag) {
    store::LineBuffer buffer;
    for (int i = 0; i < 6000; ++i) {
        std::string line = std::string(1, tag) + " line " + std::to_string(i) + " \xA4\xA4 ";
        line.append(static_cast<std::size_t>(60 + i % 40), tag);
        buffer.Add(line);
        if (i % 500 == 0) buffer.Add("");
    }
    return buffer;
}

struct ChildSave {
    bool finished;                   // the save ran to its end
    std::chrono::microseconds took;  // from the start of the save to the child's end
};

// Forks a child that saves `buffer` to `path`. With `killAfter`, the parent kills it
// that long after the child has announced that the save begins.
ChildSave SaveInChild(const store::LineBuffer& buffer, const std::string& path,
                      std::optional<std::chrono::microseconds> killAfter) {
    int ready[2];
    if (pipe(ready) != 0) throw std::runtime_error("pipe failed");
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        close(ready[0]);
        const char go = 'g';
        if (write(ready[1], &go, 1) != 1) _exit(3);
        try {
            buffer.SaveToFile(path);
        } catch (const calc::Error&) {
            _exit(2);
        }
        _exit(0);
    }
    close(ready[1]);
    char go = 0;
    const bool announced = read(ready[0], &go, 1) == 1;
    const Clock::time_point start = Clock::now();
    close(ready[0]);
    if (killAfter) {
        if (announced && killAfter->count() > 0) {
            usleep(static_cast<useconds_t>(killAfter->count()));
        }
        kill(child, SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
        throw std::runtime_error("the child's save failed, status " +
                                 std::to_string(WEXITSTATUS(status)));
    }
    return {WIFEXITED(status), took};
}

TEST(SaveCrash, KilledSaveLeavesOldOrNewContentsInFull) {
    storetest::ScratchDir scratch;
    const std::string path = (scratch.Path() / "TankData.txt").string();
    const store::LineBuffer versions[2] = {Version('a'), Version('b')};
    const std::string bytes[2] = {storetest::CrLfJoin(versions[0].Lines()),
                                  storetest::CrLfJoin(versions[1].Lines())};

    // Time a few undisturbed saves to spread the kills over a whole save.
    std::chrono::microseconds saveTime{0};
    for (int i = 0; i < 3; ++i) saveTime += SaveInChild(versions[i % 2], path, std::nullopt).took;
    saveTime /= 3;
    versions[0].SaveToFile(path);
    int current = 0;

    std::mt19937 random(12345);
    std::uniform_int_distribution<long> delays(0, std::max<long>(saveTime.count(), 200));
    int interrupted = 0, completed = 0, torn = 0, rounds = 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(1500);
    while (Clock::now() < deadline && rounds < 400) {
        ++rounds;
        const int next = 1 - current;
        const bool finished =
            SaveInChild(versions[next], path, std::chrono::microseconds(delays(random))).finished;
        const std::string now = storetest::ReadBytes(path);
        if (now == bytes[next]) {
            ++completed;
            current = next;
        } else if (now == bytes[current] && !finished) {
            ++interrupted;
        } else {
            ++torn;
        }
    }
    EXPECT_EQ(torn, 0) << "a kill left a file that is neither version in full";
    EXPECT_GT(interrupted, 0) << "no kill landed inside a save (save time " << saveTime.count()
                              << " us)";

    // Temporaries of killed saves stay invisible to loads, which read only the file
    // itself, and do not hinder the next save.
    const auto entries = storetest::Snapshot(scratch.Path());
    const long leftovers = static_cast<long>(entries.size()) - 1;
    RecordProperty("rounds", rounds);
    RecordProperty("interrupted", interrupted);
    RecordProperty("completed", completed);
    RecordProperty("leftover_temporaries", static_cast<int>(leftovers));
    std::cout << "[ info ] " << rounds << " kills (save " << saveTime.count()
              << " us): " << interrupted << " kept the old file, " << completed << " the new one; "
              << leftovers << " temporaries left\n";
    for (const auto& [name, contents] : entries) {
        if (name == "TankData.txt") continue;
        EXPECT_EQ(name.rfind("TankData.txt", 0), 0u) << "unexpected file " << name;
    }

    versions[1 - current].SaveToFile(path);
    store::LineBuffer loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Lines(), versions[1 - current].Lines());
    EXPECT_EQ(storetest::ReadBytes(path), bytes[1 - current]);
}

}  // namespace
