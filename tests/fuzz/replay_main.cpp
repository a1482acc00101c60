// Runs a fuzz target without libFuzzer: every file of the folders (or the
// files) named on the command line goes to LLVMFuzzerTestOneInput once, in
// name order. A crash or a broken check ends the program abnormally.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (LLVMFuzzerInitialize != nullptr) LLVMFuzzerInitialize(&argc, &argv);
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    const fs::path path = argv[i];
    if (fs::is_directory(path, ec)) {
      for (const fs::directory_entry& entry : fs::directory_iterator(path, ec)) {
        if (entry.is_regular_file(ec)) inputs.push_back(entry.path());
      }
    } else if (fs::is_regular_file(path, ec)) {
      inputs.push_back(path);
    }
    if (ec) {
      std::fprintf(stderr, "replay: cannot read %s: %s\n", argv[i], ec.message().c_str());
      return 2;
    }
  }
  // An empty or misnamed corpus would pass without testing anything.
  if (inputs.empty()) {
    std::fprintf(stderr, "replay: no inputs\n");
    return 2;
  }
  std::sort(inputs.begin(), inputs.end());
  for (const fs::path& path : inputs) {
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    if (!file.good() && !file.eof()) {
      std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
      return 2;
    }
    // An exact-size copy, so a read past the input's end meets the heap's end.
    std::vector<uint8_t> input(bytes);
    static const uint8_t kNothing = 0;
    LLVMFuzzerTestOneInput(input.empty() ? &kNothing : input.data(), input.size());
  }
  std::printf("replay: %zu inputs\n", inputs.size());
  return 0;
}
