#include "platform/sim/sim_files.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <system_error>

namespace platform {

std::optional<std::uint32_t> SimFiles::LastWriteTime(const std::filesystem::path& file) const {
  std::ifstream in(file, std::ios::binary);
  std::error_code error;
  if (!in || !std::filesystem::is_regular_file(file, error)) return std::nullopt;
  const auto written = std::filesystem::last_write_time(file, error);
  if (error) return std::nullopt;
  const auto ticks =
      std::chrono::duration_cast<std::chrono::nanoseconds>(written.time_since_epoch()).count() /
      100;
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks));
}

std::optional<std::vector<std::uint8_t>> SimFiles::ReadAll(
    const std::filesystem::path& file) const {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace platform
