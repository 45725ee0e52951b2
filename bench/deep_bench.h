#pragma once
// dravenor-bench --deep: the classic engine and Deep Nesting side by side on every job.
namespace dravenor::bench {

// Runs with the arguments after --deep; returns the exit code.
int deepBenchMain(int argc, char** argv);

} // namespace dravenor::bench
