// Builds the data file set from the text sources, or prints a data file back as text.
#include <chrono>
#include <cstdio>
#include <cstring>

#include "tools/data_compiler/data_dump.h"
#include "tools/data_compiler/data_set_compiler.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: data_compiler compile <sources-folder> <drive-root>\n"
               "       data_compiler dump <data-file>\n"
               "compile reads base/ and the variant folders of the sources and writes the data\n"
               "files below <drive-root>/lurn/KUZ2011_CHT/; dump prints one data file as text\n"
               "in the format of its source.\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "compile") == 0) {
    const auto start = std::chrono::steady_clock::now();
    auto compiled = data_compiler::CompileDataSet(argv[2]);
    if (compiled.error) {
      std::fprintf(stderr, "%s\n", compiled.error->ToString().c_str());
      return 1;
    }
    if (auto error = data_compiler::WriteDataFiles(compiled.files, argv[3])) {
      std::fprintf(stderr, "%s\n", error->ToString().c_str());
      return 1;
    }
    std::size_t bytes = 0;
    for (const auto& [path, data] : compiled.files) bytes += data.size();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    std::printf("%zu files, %zu bytes, %lld ms\n", compiled.files.size(), bytes,
                static_cast<long long>(ms.count()));
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "dump") == 0) {
    std::string error;
    const auto text = data_compiler::DumpDataFile(argv[2], error);
    if (!text) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    std::fwrite(text->data(), 1, text->size(), stdout);
    return 0;
  }
  return Usage();
}
