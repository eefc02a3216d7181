#pragma once

#include <string>
#include <string_view>

// File names of the module arrive in Windows spelling: backslashes, and folder names whose case
// differs from one caller to the next ("errMSg\" beside the program, "errmsg\" below the help
// folder). Linux names are case-sensitive, so each name is looked up ignoring case.

// Whether two names are equal ignoring case (UTF-8, Unicode case folding).
bool sameIgnoringCase(std::string_view a, std::string_view b);

// Every backslash becomes '/'.
std::string toForwardSlashes(std::string_view path);

// The path with backslashes turned into '/' and every folder and file name replaced by the entry of
// its folder that matches it ignoring case. An exact match is preferred; among several others the
// first in byte order is taken, a folder before a file for all but the last name. From the first
// name that matches nothing on, the rest is kept as given, so opening the result fails as the
// original name would. "." and ".." are kept; a relative path stays relative (to the current
// folder); a trailing '/' is kept.
std::string resolvePathIgnoringCase(std::string_view path);

// The folder of the running program's file, with a trailing '/'; empty when it cannot be read.
std::string programFolder();
