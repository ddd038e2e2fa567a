#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Lindora %s\n", LINDORA_VERSION);
            return 0;
        }
    }
    std::printf("Lindora %s: the window comes with the application shell.\n", LINDORA_VERSION);
    return 0;
}
