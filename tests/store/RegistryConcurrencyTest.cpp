// Real processes saving to one store: none loses another's values, and a writer killed at any
// point never leaves a file that fails to parse.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <random>

#include "RegistryFixture.h"
#include "store/RegistryStore.h"

namespace lindora {
namespace {

class RegistryConcurrencyTest : public test::RegistryFixture {
protected:
    // Runs body in a child process; the child ends with 0 when body returns, 1 on an exception.
    template <typename Body>
    pid_t spawn(Body body) {
        pid_t pid = ::fork();
        if (pid == 0) {
            int status = 0;
            try {
                body();
            } catch (...) {
                status = 1;
            }
            ::_exit(status);
        }
        return pid;
    }

    static int exitStatus(pid_t pid) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return status;
    }
};

TEST_F(RegistryConcurrencyTest, TwoProcessesSavingAtOnceLoseNothing) {
    constexpr int kSaves = 200;
    auto writer = [this](const std::string& key) {
        RegistryStore store(userFile(), RegistryStore::Access::ReadWrite);
        for (int i = 0; i < kSaves; ++i) {
            store.createKey({"Software", key});
            store.setValue({"Software", key}, RegistryValue::dword("v" + std::to_string(i), uint32_t(i)));
            store.flush();
        }
    };
    pid_t first = spawn([&] { writer("First"); });
    pid_t second = spawn([&] { writer("Second"); });
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_EQ(exitStatus(first), 0);
    EXPECT_EQ(exitStatus(second), 0);

    RegistryStore store(userFile(), RegistryStore::Access::ReadOnly,
                        [this](const std::string& m) { diagnostics.push_back(m); });
    for (const char* key : {"First", "Second"}) {
        EXPECT_EQ(store.valueNames({"Software", key}).size(), size_t(kSaves)) << key;
        for (int i = 0; i < kSaves; ++i) {
            auto v = store.value({"Software", key}, "v" + std::to_string(i));
            ASSERT_TRUE(v) << key << " lost v" << i;
            EXPECT_EQ(*v, RegistryValue::dword("v" + std::to_string(i), uint32_t(i)));
        }
    }
    EXPECT_TRUE(diagnostics.empty());
}

TEST_F(RegistryConcurrencyTest, AWriterKilledWhileSavingNeverLeavesADamagedFile) {
    std::mt19937 random(20261210);
    for (int round = 0; round < 20; ++round) {
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        const std::string key = "Round" + std::to_string(round);
        pid_t child = spawn([&] {
            ::close(pipeFds[0]);
            RegistryStore store(userFile(), RegistryStore::Access::ReadWrite);
            for (int i = 0; i < 40; ++i) {
                store.createKey({key});
                // Growing values make saves long enough to be caught in the middle.
                store.setValue({key},
                               RegistryValue::string("v" + std::to_string(i), std::string(size_t(i) * 200, 'x')));
                store.flush();
                char done = 1;
                if (::write(pipeFds[1], &done, 1) != 1) return;
            }
        });
        ASSERT_GT(child, 0);
        ::close(pipeFds[1]);
        int confirmed = std::uniform_int_distribution<int>(1, 12)(random);
        for (int i = 0; i < confirmed; ++i) {
            char done;
            ASSERT_EQ(::read(pipeFds[0], &done, 1), 1);
        }
        // Let the child run on for a random stretch, so the kill lands anywhere in a save.
        long spins = std::uniform_int_distribution<long>(0, 10000000)(random);
        for (long spin = 0; spin < spins; ++spin) asm volatile("" ::: "memory");
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ::close(pipeFds[0]);

        RegistryStore check(userFile(), RegistryStore::Access::ReadOnly,
                            [this](const std::string& m) { diagnostics.push_back(m); });
        for (int i = 0; i < confirmed; ++i)
            EXPECT_TRUE(check.value({key}, "v" + std::to_string(i))) << key << " lost a confirmed save " << i;
        ASSERT_TRUE(diagnostics.empty()) << diagnostics.front();
    }

    RegistryStore last(userFile(), RegistryStore::Access::ReadWrite);
    last.createKey({"Last"});
    last.flush();
    for (const auto& name : folderEntries())
        EXPECT_TRUE(name == "user.reg" || name == "user.reg.lock") << name << " left behind";
}

}  // namespace
}  // namespace lindora
