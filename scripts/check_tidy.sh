#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over every source file of src/, with the
# compile commands of a configured build, and fails on any finding.
#   scripts/check_tidy.sh [BUILD_DIR] [FILE...]     (default: build, every src/*.cpp)
# Headers are checked through the files that include them; a finding in a header is printed
# once. scripts/check_tidy.py says how the files are grouped and what is kept between runs.
exec python3 "$(dirname "$0")/check_tidy.py" "$@"
