#pragma once
// Names of the chart fields of entry n (1-based) and the files the search
// reads.  The names are built once; lookups allocate nothing.

#include <string>

namespace quivra::selection::chart {

inline constexpr int kMaxEntries = 16;

// Precondition for all: 1 <= n <= kMaxEntries.
const std::string& sizeField(int n);   // SHnSIZE (every chart)
const std::string& spineField(int n);  // SHnSPINE (Hunting, Target)
const std::string& modlField(int n);   // SHnMODL (Youth)
const std::string& modelField(int n);  // SHnMODEL (Kestra)

inline constexpr const char* kHuntFile = "HUNTCHRT.DBF";
inline constexpr const char* kTargFile = "Targchrt.dbf";
inline constexpr const char* kYouthFile = "YouthChrt.dbf";
inline constexpr const char* kKstrFile = "KSTRCHRT.dbf";
inline constexpr const char* kMessageFile = "invsel.txt";

}  // namespace quivra::selection::chart
