#pragma once
// Start-up measurements (bench/startup/measure.sh) learn when a program reached the moments of
// its start-up through the file LINDORA_STARTUP_PROBE names: one line "<MOMENT> <ms> <cpu ms>" a
// moment, the milliseconds since the kernel started the process and the processor time all its
// threads have used so far. The program writes its own times, so that whatever watches the file
// does not stretch them; the processor time shows the work done whatever else the machine runs.
// Without the variable nothing is written.
//
// Plain C++ and POSIX only: the bare baseline program of the measurement compiles this too.
namespace lindora::startup_probe {

// Milliseconds since the process started, as the kernel records it (the start time has the
// kernel's clock-tick resolution, usually 10 ms); negative when it cannot be read.
double millisecondsSinceProcessStart();

// Processor time (user and system) of all the process's threads, in milliseconds.
double processCpuMilliseconds();

// Writes the moment once (later calls with the same name do nothing).
void mark(const char* moment);

}  // namespace lindora::startup_probe
