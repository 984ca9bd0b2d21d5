// The committed reference tables (tests/colour/reference), one case a line,
// fields separated by tabs.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "colour/Contrast.h"

namespace marnova {

inline std::vector<std::vector<std::string>> ReadReferenceTable(const std::string& name) {
  std::ifstream file(std::string(MARNOVA_REFERENCE_DIR) + "/" + name);
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(file, line);) {
    std::vector<std::string> fields;
    std::stringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    if (!line.empty() && line.back() == '\t') fields.emplace_back();
    rows.push_back(fields);
  }
  return rows;
}

// "1A2B3C" as a triple.
inline RGBTriple TripleOfHex(const std::string& hex) {
  const unsigned long v = std::stoul(hex, nullptr, 16);
  return {static_cast<int>(v >> 16), static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF)};
}

}  // namespace marnova
