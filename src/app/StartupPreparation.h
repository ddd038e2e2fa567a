#pragma once
// Work the main window's first frame needs that does not need the toolkit: decoding the
// application icon and loading the font configuration with the interface font. It runs on a
// second thread while the toolkit starts and the web engine's processes are launched, and is
// over before the window is built (finish, or the destructor, waits for it).
#include <thread>

namespace lindora {

class StartupPreparation {
public:
    StartupPreparation();
    ~StartupPreparation();
    StartupPreparation(const StartupPreparation&) = delete;
    StartupPreparation& operator=(const StartupPreparation&) = delete;

    // Waits for the work to end; again does nothing.
    void finish();

private:
    std::thread thread_;
};

}  // namespace lindora
