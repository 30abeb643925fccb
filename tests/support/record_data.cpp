#include "tests/support/record_data.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

namespace moonfold::testing {
namespace {

using namespace std::chrono;

std::string ReadToolData(const char* name) {
  const std::string path = std::string(MOONFOLD_TEST_DATA_DIR) + "/../../tools/data/" + name;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return {};
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  std::fclose(file);
  return text;
}

// The fields of each line that is no comment and no header, split at `at`.
std::vector<std::vector<std::string>> Rows(const char* name, char at, std::size_t fields) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(ReadToolData(name));
  for (std::string line; std::getline(lines, line);) {
    // Comments and the header line aside, every row begins with a year.
    if (line.empty() || !std::isdigit(static_cast<unsigned char>(line[0]))) continue;
    std::vector<std::string> row;
    std::istringstream parts(line);
    for (std::string field; std::getline(parts, field, at);) row.push_back(field);
    if (line.back() == at) row.emplace_back();
    if (row.size() == fields) rows.push_back(row);
  }
  return rows;
}

sys_days Date(const std::string& iso) {
  return sys_days{year{std::stoi(iso.substr(0, 4))} / std::stoi(iso.substr(5, 2)) /
                  std::stoi(iso.substr(8, 2))};
}

template <typename T>
const std::vector<T>& Checked(const std::vector<T>& rows, std::size_t expected, const char* file) {
  if (rows.size() != expected) {
    ADD_FAILURE() << "tools/data/" << file << " holds " << rows.size() << " rows, not " << expected;
  }
  return rows;
}

}  // namespace

const std::vector<RecordMonth>& RecordMonths() {
  static const std::vector<RecordMonth> months = [] {
    std::vector<RecordMonth> out;
    for (const auto& r : Rows("record-months-1645-1911.csv", ',', 4)) {
      out.push_back(
          {Date(r[0]), std::stoi(r[1]), static_cast<unsigned>(std::stoi(r[2])), r[3] == "1"});
    }
    return out;
  }();
  return Checked(months, 3303, "record-months-1645-1911.csv");
}

const std::vector<RecordTerm>& RecordTerms() {
  static const std::vector<RecordTerm> terms = [] {
    std::vector<RecordTerm> out;
    for (const auto& r : Rows("record-terms-1645-1911.csv", ',', 3)) {
      out.push_back({std::stoi(r[0]), static_cast<unsigned>(std::stoi(r[1])), Date(r[2])});
    }
    return out;
  }();
  return Checked(terms, 24 * (1911 - 1645 + 1), "record-terms-1645-1911.csv");
}

const std::vector<IssuedMonth>& IssuedMonths() {
  static const std::vector<IssuedMonth> months = [] {
    std::vector<IssuedMonth> out;
    for (const auto& r : Rows("issued-months.tsv", '\t', 4))
      out.push_back({Date(r[0]), Date(r[1])});
    return out;
  }();
  return Checked(months, 3, "issued-months.tsv");
}

const std::vector<IssuedTerm>& IssuedTerms() {
  static const std::vector<IssuedTerm> terms = [] {
    std::vector<IssuedTerm> out;
    for (const auto& r : Rows("issued-terms.tsv", '\t', 4)) {
      const local_days day{Date(r[2].substr(0, 10)).time_since_epoch()};
      out.push_back(
          {std::stoi(r[0]), static_cast<unsigned>(std::stoi(r[1])),
           day + hours{std::stoi(r[2].substr(11, 2))} + minutes{std::stoi(r[2].substr(14, 2))}});
    }
    return out;
  }();
  return Checked(terms, 6, "issued-terms.tsv");
}

const std::vector<Era>& Eras() {
  static const std::vector<Era> eras = [] {
    std::vector<Era> out;
    std::istringstream lines(ReadToolData("eras.tsv"));
    std::string line;
    std::getline(lines, line);  // the header
    while (std::getline(lines, line)) {
      std::istringstream parts(line);
      std::string name, first, last;
      std::getline(parts, name, '\t');
      std::getline(parts, first, '\t');
      std::getline(parts, last, '\t');
      if (first.empty()) continue;
      out.push_back(
          {name, std::stoi(first), last.empty() || !std::isdigit(last[0]) ? 0 : std::stoi(last)});
    }
    return out;
  }();
  return Checked(eras, 11, "eras.tsv");
}

}  // namespace moonfold::testing
