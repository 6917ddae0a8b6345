#pragma once

#include <CLI/CLI.hpp>

namespace tl::cli {

// Roster positions, pairing indices and days are plain decimal numbers.
// CLI11 reads integers with base 0, so "0x1" would name pairing 1 and "010"
// pairing 8; this refuses the first and reads the second as 10.
CLI::Validator DecimalIndex();

} // namespace tl::cli
