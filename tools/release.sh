#!/bin/bash
# Installs what is missing, builds, and writes the release packages to
# build/release/: the setup program and the installation folder as a zip,
# both named with the project version. Two runs on the same sources give
# byte-identical files.
set -euo pipefail
"$(dirname "$0")/setup.sh"
source "$(dirname "$0")/common.sh"
tlk_build
cmake --build "$build" --target packages
