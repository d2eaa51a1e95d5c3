// Generates a valid EDI text of catalogue-like tables for benchmarks and
// round-trip tests: integers, decimals, texts (with escapes) and Booleans.
#pragma once

#include <cstddef>
#include <string>

namespace brumalis::bench {

// A deterministic text of at least nMinBytes bytes. nRecordsOut, when given,
// receives the number of records written.
std::string MakeEdiLikeText(std::size_t nMinBytes, std::size_t* nRecordsOut = nullptr);

// The 8 MB text the benchmarks share, made once; nRecordsOut as above.
const std::string& BenchmarkText(std::size_t* nRecordsOut = nullptr);

}  // namespace brumalis::bench
