#!/usr/bin/env bash
# Redraws resources/Korvel.png, the logo in the title bar, from the headline font. The PNG is
# committed; run this after changing the font or resources/logo/MakeLogo.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build}
cmake -S . -B "$build_dir" -G Ninja >/dev/null
cmake --build "$build_dir" --target vn5_make_logo
"$build_dir/vn5_make_logo" resources/fonts/Caladea-Regular.ttf resources/Korvel.png
echo "wrote resources/Korvel.png"
