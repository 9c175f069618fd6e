#pragma once

// The benchmark's own folder under the temporary folder, and the generated
// drawings saved there once per run, for benchmarks that open a drawing
// file the way a user does.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class TZhdData;

namespace bench {

// The folder, removed at the end of the run. Empty when it could not be
// made.
const std::filesystem::path& BenchFolder();

// The drawing `make(count)` saved once under `name` and the count; empty
// when it could not be saved.
std::string DrawingFile(const std::string& name, int count,
                        const std::function<std::unique_ptr<TZhdData>(int)>& make);

} // namespace bench
